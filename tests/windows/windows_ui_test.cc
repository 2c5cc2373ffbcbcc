// The dialog's Windows-only parts: the system menu entry and the paths kept in the registry.
#include <wx/msw/wrapwin.h>

#include "tests/ui/ui_test_support.h"
#include "ui/about_dialog.h"
#include "ui/convert_dialog.h"
#include "ui/production_services.h"
#include "ui/remembered_paths.h"
#include "ui/resource_ids.h"

namespace trelvan::testing {
namespace {

TEST_F(UiTest, SystemMenuEndsWithTheAboutEntryWhichOpensAboutWhateverTheLowBits) {
  auto* dialog = new CConvertDlg(nullptr, Fakes().services);
  const HWND window = static_cast<HWND>(dialog->GetHWND());
  HMENU menu = ::GetSystemMenu(window, FALSE);
  const int last = ::GetMenuItemCount(menu) - 1;
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, last, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&O aplikaci TRELVAN...");
  EXPECT_NE(::GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  wxTEST_DIALOG(::SendMessageW(window, WM_SYSCOMMAND, ids::kAboutCommand | 0x3, 0),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
  dialog->Destroy();
}

TEST(Registry, RememberedPathsLiveUnderTheCurrentUsersKey) {
  ProductionServices production;
  const wxString path = wxString::FromUTF8("C:\\Výpisy\\březen.gpc");
  RememberedPaths{path, "b.dbf", "C:\\"}.Save(production.services().settings);
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof value;
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Trelvan Software\\TRELVAN\\Paths", L"Abo",
                           RRF_RT_REG_SZ, nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(wxString(value), path);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Trelvan Software");
}

}  // namespace
}  // namespace trelvan::testing
