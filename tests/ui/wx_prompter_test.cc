// The real message boxes and file chooser, answered through wxWidgets' modal dialog hook.
#include "ui/wx_prompter.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/statbmp.h>

#include "tests/ui/gtest_modal_hook.h"
#include "tests/ui/ui_fakes.h"
#include "ui/file_chooser.h"
#include "ui/ui_texts.h"
#include "ui/warning_gatherer.h"

namespace trelvan::testing {
namespace {

// What a message box looked like: its text, style and labels, and where wxWidgets draws the
// box itself (GTK), the default button and the icon it shows.
struct SeenBox {
  wxString message, labels;
  long style = 0;
  int default_button = wxID_NONE;
  wxImage icon;
};

class AnswerBox : public wxModalExpectation {
 public:
  AnswerBox(int answer, SeenBox& seen) : answer_(answer), seen_(&seen) {}
  int Invoke(wxDialog* dialog) const override {
    auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
    if (box == nullptr) return wxID_NONE;
    seen_->message = box->GetMessage();
    seen_->labels = box->GetYesLabel() + "/" + box->GetNoLabel() + "/" + box->GetOKLabel();
    seen_->style = box->GetMessageDialogStyle();
    if (auto* button = dynamic_cast<wxButton*>(dialog->GetDefaultItem())) {
      seen_->default_button = button->GetId();
    }
    for (wxWindow* child : dialog->GetChildren()) {
      if (auto* icon = dynamic_cast<wxStaticBitmap*>(child)) {
        seen_->icon = icon->GetBitmap().ConvertToImage();
      }
    }
    return answer_;
  }

 protected:
  wxString GetDefaultDescription() const override { return "a message box"; }

 private:
  int answer_;
  SeenBox* seen_;
};

using WxPrompterTest = UiTest;

TEST_F(WxPrompterTest, QuestionDefaultsToNoAndOnlyYesCounts) {
  WxPrompter prompter;
  SeenBox seen;
  bool yes = false;
  wxTEST_DIALOG(yes = prompter.AskYesNo("Přepsat?"), AnswerBox(wxID_YES, seen));
  EXPECT_TRUE(yes);
  EXPECT_EQ(seen.message, wxString::FromUTF8("Přepsat?"));
  EXPECT_EQ(seen.labels, "Ano/Ne/OK");
  EXPECT_EQ(seen.style & (wxYES_NO | wxNO_DEFAULT | wxICON_MASK),
            wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
#ifndef __WXMSW__
  EXPECT_EQ(seen.default_button, wxID_NO);
#endif
  wxTEST_DIALOG(yes = prompter.AskYesNo("Přepsat?"), AnswerBox(wxID_NO, seen));
  EXPECT_FALSE(yes);
}

TEST_F(WxPrompterTest, EachKindOfMessageShowsItsOwnIcon) {
  WxPrompter prompter;
  const std::pair<MessageStyle, long> kinds[] = {{MessageStyle::kStop, wxICON_STOP},
                                                 {MessageStyle::kWarning, wxICON_WARNING},
                                                 {MessageStyle::kInformation, wxICON_INFORMATION},
                                                 {MessageStyle::kPlain, 0}};
  std::vector<wxImage> icons;
  for (const auto& [style, icon] : kinds) {
    SeenBox seen;
    wxTEST_DIALOG(prompter.Show(style, "Zpráva"), AnswerBox(wxID_OK, seen));
    EXPECT_EQ(seen.style & ((wxICON_MASK & ~wxICON_NONE) | wxOK | wxYES_NO), icon | wxOK);
#ifndef __WXMSW__
    // The icon is drawn, and differs from every other kind's.
    EXPECT_EQ(seen.icon.IsOk(), style != MessageStyle::kPlain) << static_cast<int>(style);
    for (const wxImage& other : icons) {
      EXPECT_FALSE(seen.icon.IsOk() && other.GetWidth() == seen.icon.GetWidth() &&
                   other.GetHeight() == seen.icon.GetHeight() &&
                   memcmp(other.GetData(), seen.icon.GetData(),
                          3 * other.GetWidth() * other.GetHeight()) == 0);
    }
    icons.push_back(seen.icon);
#endif
  }
}

TEST(WarningGatherer, ConsecutiveWarningsShareOneBoxShownBeforeTheNextMessage) {
  RecordingPrompter shown;
  WarningGatherer gatherer(shown);
  gatherer.Show(MessageStyle::kWarning, "první");
  gatherer.Show(MessageStyle::kWarning, "druhé");
  gatherer.Show(MessageStyle::kPlain, "hotovo");
  for (int i = 0; i < 25; ++i) gatherer.Show(MessageStyle::kWarning, std::to_string(i));
  gatherer.Flush();
  gatherer.Flush();
  ASSERT_EQ(shown.shown.size(), 3u);
  EXPECT_EQ(shown.shown[0], (Shown{MessageStyle::kWarning, "první\ndruhé"}));
  EXPECT_EQ(shown.shown[1], (Shown{MessageStyle::kPlain, "hotovo"}));
  EXPECT_EQ(shown.shown[2].text.substr(shown.shown[2].text.rfind('\n') + 1),
            "… a další upozornění (5)");
}

// Answers the file dialog with a path under one of its filters and keeps what it offered:
// title, folder, wildcard, whether the file must exist.
class AnswerFileDialog : public wxExpectModal<wxFileDialog> {
 public:
  AnswerFileDialog(const wxString& path, int filter, std::vector<wxString>& seen)
      : wxExpectModal<wxFileDialog>(path), filter_(filter), seen_(&seen) {}

 protected:
  int OnInvoked(wxFileDialog* dialog) const override {
    *seen_ = {dialog->GetMessage(), dialog->GetDirectory(), dialog->GetWildcard(),
              dialog->HasFlag(wxFD_FILE_MUST_EXIST) ? "must exist" : ""};
    const int result = wxExpectModal<wxFileDialog>::OnInvoked(dialog);
    // GTK selects the file once it has read the folder, which takes a few turns of the loop.
    for (int i = 0; i < 300 && dialog->GetPath().empty(); ++i) {
      wxTheApp->Yield(true);
      wxMilliSleep(10);
    }
    dialog->SetFilterIndex(filter_);
    return result;
  }

 private:
  int filter_;
  std::vector<wxString>* seen_;
};

TEST_F(WxPrompterTest, FileChooserMatchesAnyCaseAndExtendsByTheChosenFilter) {
  WxFileChooser chooser;
  // The GTK chooser only reports a file that is there; the program also takes new names.
  WriteFile(TempPath("novy"), "");
  const FileRequest request{"ABO soubor", wxString::FromUTF8(ui_texts::kAboFilter), "abo",
                            wxString::FromUTF8(temp_dir_)};
#ifdef __WXMSW__  // the system matches in any case
  const char* wildcard =
      "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo|Všechny soubory (*.*)|*.*";
#else
  const char* wildcard =
      "GPC Files (*.gpc)|*.[gG][pP][cC]|ABO Files (*.abo)|*.[aA][bB][oO]|Všechny soubory (*.*)|*";
#endif
  // A new name under "every file" gets the kind's extension (GTK hides it under the others).
  std::vector<wxString> seen;
  std::optional<wxString> chosen;
  wxTEST_DIALOG(chosen = chooser.ChooseFile(nullptr, request),
                AnswerFileDialog(TempPath("novy"), 2, seen));
  EXPECT_EQ(chosen.value_or("-"), TempPath("novy") + ".abo");
  EXPECT_EQ(seen, (std::vector<wxString>{"ABO soubor", wxString::FromUTF8(temp_dir_),
                                         wxString::FromUTF8(wildcard), ""}));
  for (const auto& [filter, extension] :
       {std::pair{0, "gpc"}, {1, "abo"}, {2, "abo"}, {3, "abo"}}) {
    EXPECT_EQ(ExtensionOfFilter(request.filter, filter, "abo"), extension);
  }
  wxTEST_DIALOG(EXPECT_FALSE(chooser.ChooseFile(nullptr, request)),
                wxExpectModal<wxFileDialog>(TempPath("x.gpc"), wxID_CANCEL));
}

}  // namespace
}  // namespace trelvan::testing
