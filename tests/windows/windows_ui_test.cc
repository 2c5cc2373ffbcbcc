// The dialog's Windows-only parts: the system menu entry, Simple MAPI's failure paths, and the
// resources linked into TRELVAN.EXE. Runs inside the UI tests' application object.
#include "tests/ui/gtest_modal_hook.h"

#include <wx/msw/wrapwin.h>

#include <cstdlib>
#include <string>

#include "tests/ui/ui_fakes.h"
#include "ui/about_dialog.h"
#include "ui/convert_dialog.h"
#include "ui/mail.h"
#include "ui/resource_ids.h"

namespace trelvan::testing {
namespace {

TEST(MapiMail, NoMailLibraryMeansNoMailSystem) {
  MapiMailSender mail("TRELVAN-NO-SUCH-MAPI32.DLL");
  EXPECT_EQ(mail.Send(nullptr, "info@trelvan.example", "Předmět"), MailResult::kUnavailable);
}

TEST(MapiMail, LibraryWithoutMapiSendMailIsInvalidAndUnloadedAgain) {
  // A system library that the program never loads otherwise and that has no MAPISendMail.
  const char* library = "MSCMS.DLL";
  ASSERT_EQ(::GetModuleHandleA(library), nullptr);
  MapiMailSender mail(library);
  EXPECT_EQ(mail.Send(nullptr, "info@trelvan.example", "Předmět"), MailResult::kLibraryInvalid);
  EXPECT_EQ(::GetModuleHandleA(library), nullptr);
}

class SystemMenuTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dialog_ = new CConvertDlg(nullptr, Fakes().services);
  }
  void TearDown() override {
    dialog_->Destroy();
    UiTest::TearDown();
  }
  HWND Window() const { return static_cast<HWND>(dialog_->GetHWND()); }

  CConvertDlg* dialog_ = nullptr;
};

TEST_F(SystemMenuTest, AboutEntryStandsLastAfterASeparator) {
  HMENU menu = ::GetSystemMenu(Window(), FALSE);
  ASSERT_NE(menu, nullptr);
  const int count = ::GetMenuItemCount(menu);
  ASSERT_GE(count, 2);
  EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(ids::kAboutCommand));
  wchar_t text[64] = {};
  ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&O aplikaci TRELVAN...");
  EXPECT_NE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
}

TEST_F(SystemMenuTest, AboutCommandOpensTheAboutDialogWhateverTheLowBits) {
  wxTEST_DIALOG(::SendMessageW(Window(), WM_SYSCOMMAND, ids::kAboutCommand | 0x3, 0),
                wxExpectDismissableModal<CAboutDlg>(wxID_OK));
}

// TRELVAN.EXE loaded as data: what Explorer, the version tab and the loader read from it.
class ProgramResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("TRELVAN_EXE");
    ASSERT_NE(path, nullptr) << "TRELVAN_EXE names the program to inspect";
    module_ =
        ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << path;
  }
  void TearDown() override {
    if (module_ != nullptr) ::FreeLibrary(module_);
  }

  std::string Resource(int id, LPCWSTR type) const {
    HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
    return std::string(data, ::SizeofResource(module_, found));
  }

  static unsigned Word(const std::string& data, std::size_t offset) {
    return static_cast<unsigned char>(data[offset]) | static_cast<unsigned char>(data[offset + 1])
                                                          << 8;
  }

  HMODULE module_ = nullptr;
};

TEST_F(ProgramResourcesTest, IconGroup128HoldsSixteenColourImagesOf32And16PixelsAndComesFirst) {
  const std::string group = Resource(ids::kAppIconResource, RT_GROUP_ICON);
  ASSERT_EQ(group.size(), 6u + 2 * 14) << "two images";
  for (int i = 0; i < 2; ++i) {
    const std::size_t entry = 6 + 14 * i;
    EXPECT_EQ(static_cast<unsigned char>(group[entry]), i == 0 ? 32 : 16);
    EXPECT_EQ(static_cast<unsigned char>(group[entry + 2]), 16) << "colours";
  }
  // Explorer shows the first icon group of the file.
  LPWSTR first = nullptr;
  ::EnumResourceNamesW(
      module_, RT_GROUP_ICON,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        *reinterpret_cast<LPWSTR*>(found) = name;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&first));
  EXPECT_TRUE(IS_INTRESOURCE(first));
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(first), static_cast<ULONG_PTR>(ids::kAppIconResource));
}

TEST_F(ProgramResourcesTest, CursorGroup139IsAMonochromeHandWithItsHotSpotAtTheFingerTip) {
  const std::string group = Resource(ids::kLinkCursorResource, RT_GROUP_CURSOR);
  ASSERT_EQ(group.size(), 6u + 14);
  EXPECT_EQ(Word(group, 6), 32u);      // width
  EXPECT_EQ(Word(group, 6 + 2), 64u);  // height of image and mask
  EXPECT_EQ(Word(group, 6 + 6), 1u);   // bits per pixel
  const std::string image = Resource(static_cast<int>(Word(group, 6 + 12)), RT_CURSOR);
  ASSERT_GE(image.size(), 4u);
  EXPECT_EQ(Word(image, 0), 6u);
  EXPECT_EQ(Word(image, 2), 0u);
}

TEST_F(ProgramResourcesTest, VersionRecordIsOneZeroZeroOneInUsEnglishUnicode) {
  const std::string record = Resource(1, RT_VERSION);
  ASSERT_FALSE(record.empty());
  std::string copy = record;  // VerQueryValue may write into the block
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  WORD* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);
  wchar_t* name = nullptr;
  ASSERT_TRUE(::VerQueryValueW(copy.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                               reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, L"TRELVAN.EXE");
}

TEST_F(ProgramResourcesTest, ManifestAsksForCommonControlsSixAndPerMonitorDpi) {
  const std::string manifest = Resource(1, RT_MANIFEST);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
  EXPECT_NE(manifest.find("true/pm"), std::string::npos);
}

}  // namespace
}  // namespace trelvan::testing
