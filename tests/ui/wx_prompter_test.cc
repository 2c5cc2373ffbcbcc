// The real message boxes and file chooser, answered through wxWidgets' modal dialog hook.
#include "ui/wx_prompter.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "tests/ui/gtest_modal_hook.h"
#include "tests/ui/ui_fakes.h"
#include "ui/file_chooser.h"

namespace trelvan::testing {
namespace {

// Answers a message box and keeps what it looked like.
struct SeenBox {
  wxString message;
  wxString caption;
  long style = 0;
  wxString yes, no, ok;
};

class AnswerBox : public wxExpectModal<wxMessageDialog> {
 public:
  AnswerBox(int answer, SeenBox& seen) : wxExpectModal<wxMessageDialog>(answer), seen_(&seen) {}

 protected:
  int OnInvoked(wxMessageDialog* box) const override {
    *seen_ = {box->GetMessage(),  box->GetTitle(),   box->GetMessageDialogStyle(),
              box->GetYesLabel(), box->GetNoLabel(), box->GetOKLabel()};
    return wxExpectModal<wxMessageDialog>::OnInvoked(box);
  }

 private:
  SeenBox* seen_;
};

using WxPrompterTest = UiTest;

TEST_F(WxPrompterTest, QuestionHasCzechYesAndNoAndOnlyYesCounts) {
  WxPrompter prompter;
  SeenBox seen;
  bool yes = false;
  wxTEST_DIALOG(yes = prompter.AskYesNo("Přepsat?"), AnswerBox(wxID_YES, seen));
  EXPECT_TRUE(yes);
  EXPECT_EQ(seen.message, wxString::FromUTF8("Přepsat?"));
  EXPECT_EQ(seen.caption, "TRELVAN");
  EXPECT_TRUE(seen.style & wxYES_NO);
  EXPECT_TRUE(seen.style & wxICON_QUESTION);
  EXPECT_EQ(seen.yes, "Ano");
  EXPECT_EQ(seen.no, "Ne");
  wxTEST_DIALOG(yes = prompter.AskYesNo("Přepsat?"), AnswerBox(wxID_NO, seen));
  EXPECT_FALSE(yes);
}

TEST_F(WxPrompterTest, EachStyleHasItsIconAndAnOkButton) {
  WxPrompter prompter;
  const std::pair<MessageStyle, long> styles[] = {{MessageStyle::kPlain, wxICON_NONE},
                                                  {MessageStyle::kStop, wxICON_STOP},
                                                  {MessageStyle::kInformation, wxICON_INFORMATION}};
  for (const auto& [style, icon] : styles) {
    SeenBox seen;
    wxTEST_DIALOG(prompter.Show(style, "Konverze proběhla úspěšně"), AnswerBox(wxID_OK, seen));
    EXPECT_EQ(seen.style & wxICON_MASK, icon) << static_cast<int>(style);
    EXPECT_TRUE(seen.style & wxOK);
    EXPECT_FALSE(seen.style & wxYES_NO);
    EXPECT_EQ(seen.ok, "OK");
    EXPECT_EQ(seen.message, wxString::FromUTF8("Konverze proběhla úspěšně"));
  }
}

// Answers the file dialog with a path and keeps its wildcard and style.
class AnswerFileDialog : public wxExpectModal<wxFileDialog> {
 public:
  AnswerFileDialog(const wxString& path, wxString& wildcard, long& style)
      : wxExpectModal<wxFileDialog>(path), wildcard_(&wildcard), style_(&style) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    *wildcard_ = dialog->GetWildcard();
    *style_ = dialog->GetWindowStyle();
    const int result = wxExpectModal<wxFileDialog>::OnInvoked(dialog);
    // GTK selects the file once it has read the folder, which takes a few turns of the loop.
    for (int i = 0; i < 300 && dialog->GetPath().empty(); ++i) {
      wxTheApp->Yield(true);
      wxMilliSleep(10);
    }
    return result;
  }

 private:
  wxString* wildcard_;
  long* style_;
};

TEST_F(WxPrompterTest, FileChooserOffersTheFiltersAndAddsTheDefaultExtension) {
  WxFileChooser chooser;
  wxString wildcard;
  long style = 0;
  std::optional<wxString> chosen;
  // The GTK chooser only reports a file that is there; the program also takes new names.
  WriteFile(TempPath("novy"), "");
  wxTEST_DIALOG(chosen = chooser.ChooseFile(nullptr, "abo",
                                            "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo||"),
                AnswerFileDialog(TempPath("novy"), wildcard, style));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, TempPath("novy") + ".abo");
  EXPECT_EQ(wildcard, "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo");
  EXPECT_FALSE(style & wxFD_FILE_MUST_EXIST);

  wxTEST_DIALOG(chosen = chooser.ChooseFile(nullptr, "abo", "ABO Files (*.abo)|*.abo||"),
                wxExpectModal<wxFileDialog>(TempPath("x.gpc"), wxID_CANCEL));
  EXPECT_FALSE(chosen.has_value());
}

TEST(FileChooserText, TrailingTerminatorAddsNoEmptyFilter) {
  EXPECT_EQ(WildcardFromFilter("DBF Files (*.dbf)|*.dbf||"), "DBF Files (*.dbf)|*.dbf");
  EXPECT_EQ(WildcardFromFilter("A|*.a|B|*.b"), "A|*.a|B|*.b");
  EXPECT_EQ(WildcardFromFilter("A|*.a||B|*.b||"), "A|*.a");
}

TEST(FileChooserText, DefaultExtensionOnlyForNamesWithoutOne) {
  EXPECT_EQ(WithDefaultExtension("/d/vypis", "abo"), "/d/vypis.abo");
  EXPECT_EQ(WithDefaultExtension("/d/vypis.gpc", "abo"), "/d/vypis.gpc");
  EXPECT_EQ(WithDefaultExtension("/d.x/vypis", "dbf"), "/d.x/vypis.dbf");
}

}  // namespace
}  // namespace trelvan::testing
