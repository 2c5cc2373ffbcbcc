// The dialog's Windows-only parts: the system menu entry, the remembered paths in the registry,
// Simple MAPI's failure paths, and the resources linked into TRELVAN.EXE. Runs inside the UI
// tests' application object.
#include <wx/msw/wrapwin.h>

#include <cstdlib>
#include <set>
#include <string>

#include "tests/ui/ui_test_support.h"
#include "ui/about_dialog.h"
#include "ui/convert_dialog.h"
#include "ui/mail.h"
#include "ui/production_services.h"
#include "ui/remembered_paths.h"
#include "ui/resource_ids.h"

namespace trelvan::testing {
namespace {

TEST(MapiMail, NoLibraryMeansNoMailSystemAndOneWithoutMapiSendMailIsInvalidAndUnloaded) {
  EXPECT_EQ(MapiMailSender("TRELVAN-NO-SUCH-MAPI32.DLL").Send(nullptr, "a@b.example", "s"),
            MailResult::kUnavailable);
  // A system library that the program never loads otherwise and that has no MAPISendMail.
  ASSERT_EQ(::GetModuleHandleA("MSCMS.DLL"), nullptr);
  EXPECT_EQ(MapiMailSender("MSCMS.DLL").Send(nullptr, "a@b.example", "s"),
            MailResult::kLibraryInvalid);
  EXPECT_EQ(::GetModuleHandleA("MSCMS.DLL"), nullptr);
}

TEST_F(UiTest, SystemMenuEndsWithTheAboutEntryWhichOpensAboutWhateverTheLowBits) {
  auto* dialog = new CConvertDlg(nullptr, Fakes().services);
  const HWND window = static_cast<HWND>(dialog->GetHWND());
  HMENU menu = ::GetSystemMenu(window, FALSE);
  const int count = ::GetMenuItemCount(menu);
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&O aplikaci TRELVAN...");
  EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(ids::kAboutCommand));
  EXPECT_NE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  wxTEST_DIALOG(::SendMessageW(window, WM_SYSCOMMAND, ids::kAboutCommand | 0x3, 0),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
  dialog->Destroy();
}

TEST(Registry, RememberedPathsLiveUnderTheCurrentUsersKey) {
  ProductionServices production;
  RememberedPaths{wxString::FromUTF8("C:\\Výpisy\\březen.gpc"), "b.dbf", "C:\\"}.Save(
      production.services().settings);
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Trelvan Software\\TRELVAN\\Paths", L"Abo",
                           RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(wxString(value), wxString::FromUTF8("C:\\Výpisy\\březen.gpc"));
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trelvan Software");
}

// TRELVAN.EXE loaded as data, as Explorer reads it.
TEST(ProgramResources, IconOfEverySizeAndTheLinkCursor) {
  const char* path = std::getenv("TRELVAN_EXE");
  ASSERT_NE(path, nullptr) << "TRELVAN_EXE names the program to inspect";
  HMODULE module =
      ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr) << path;
  auto resource = [&](int id, LPCWSTR type) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return std::string();
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    return std::string(data, ::SizeofResource(module, found));
  };
  auto byte = [](const std::string& data, std::size_t at) {
    return at < data.size() ? static_cast<unsigned char>(data[at]) : 999u;
  };
  // Group 128 holds every size up to 256 (stored as 0); Explorer shows the first group.
  const std::string icons = resource(ids::kAppIconResource, RT_GROUP_ICON);
  std::multiset<unsigned> sizes;
  for (unsigned i = 0; i < byte(icons, 4); ++i) sizes.insert(byte(icons, 6 + 14 * i));
  EXPECT_EQ(sizes, (std::multiset<unsigned>{0, 16, 24, 32, 48, 64, 128}));
  // Cursor 139: one 32x32 monochrome image, hot spot at the finger tip (6, 0).
  const std::string cursor = resource(ids::kLinkCursorResource, RT_GROUP_CURSOR);
  const std::string image = resource(byte(cursor, 6 + 12), RT_CURSOR);
  EXPECT_EQ(std::to_string(byte(cursor, 6)) + " " + std::to_string(byte(cursor, 12)) + " " +
                std::to_string(byte(image, 0)) + "," + std::to_string(byte(image, 2)),
            "32 1 6,0");
  ::FreeLibrary(module);
}

}  // namespace
}  // namespace trelvan::testing
