// The real message boxes and file chooser, answered through wxWidgets' modal dialog hook.
#include "ui/wx_prompter.h"

#include <set>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/statbmp.h>

#include "tests/ui/ui_test_support.h"
#include "ui/file_chooser.h"
#include "ui/ui_texts.h"
#include "ui/warning_gatherer.h"

namespace trelvan::testing {
namespace {

// Answers a message box (Yes where there is a Yes) and notes its style, labels and, where
// wxWidgets draws the box (GTK), its default button and the pixels of its icon.
struct AnswerBox : wxModalExpectation {
  AnswerBox(wxString& seen, std::string& icon) : seen(&seen), icon(&icon) {}
  int Invoke(wxDialog* dialog) const override {
    auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
    if (box == nullptr) return wxID_NONE;
    auto* button = dynamic_cast<wxButton*>(dialog->GetDefaultItem());
    const long style = box->GetMessageDialogStyle() & ~(wxCENTRE | wxICON_NONE);
    *seen = wxString::Format("%lx %s/%s/%s %s", style, box->GetYesLabel(), box->GetNoLabel(),
                             box->GetOKLabel(), button ? button->GetLabel() : "-");
    for (wxWindow* child : dialog->GetChildren()) {
      if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(child)) {
        const wxImage image = bitmap->GetBitmap().ConvertToImage();
        icon->assign(reinterpret_cast<char*>(image.GetData()),
                     3 * image.GetWidth() * image.GetHeight());
      }
    }
    return style & wxYES_NO ? wxID_YES : wxID_OK;
  }
  wxString GetDefaultDescription() const override { return "a message box"; }
  wxString* seen;
  std::string* icon;
};

TEST(WxPrompter, EachKindShowsItsOwnIconAndAQuestionDefaultsToNo) {
#ifdef __WXMSW__  // the system's box: its icon and default come from the style
  const wxString drawn_default = "-", drawn_ok = "-";
#else
  const wxString drawn_default = "Ne", drawn_ok = "OK";
#endif
  WxPrompter prompter;
  const std::tuple<MessageStyle, long, wxString> kinds[] = {
      {MessageStyle::kQuestion, wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, drawn_default},
      {MessageStyle::kStop, wxOK | wxICON_STOP, drawn_ok},
      {MessageStyle::kWarning, wxOK | wxICON_WARNING, drawn_ok},
      {MessageStyle::kInformation, wxOK | wxICON_INFORMATION, drawn_ok},
      {MessageStyle::kPlain, wxOK, drawn_ok}};
  std::set<std::string> icons;
  for (const auto& [kind, flags, default_button] : kinds) {
    wxString seen;
    std::string icon;
    bool yes = false;
    wxTEST_DIALOG(kind == MessageStyle::kQuestion ? yes = prompter.AskYesNo("Přepsat?")
                                                  : (prompter.Show(kind, "Zpráva"), yes = true),
                  AnswerBox(seen, icon));
    EXPECT_TRUE(yes);
    EXPECT_EQ(seen, wxString::Format("%lx Ano/Ne/OK %s", flags, default_button));
    if (!icon.empty()) icons.insert(icon);
  }
#ifndef __WXMSW__
  EXPECT_EQ(icons.size(), 4u);  // one for each kind but the plain message, each its own
#endif
  wxTEST_DIALOG(EXPECT_FALSE(prompter.AskYesNo("Přepsat?")), wxExpectAny(wxID_NO));
}

TEST(WarningGatherer, ConsecutiveWarningsShareOneBoxShownBeforeTheNextMessage) {
  RecordingPrompter shown;
  WarningGatherer gatherer(shown);
  gatherer.Show(MessageStyle::kWarning, "první");
  gatherer.Show(MessageStyle::kWarning, "druhé");
  gatherer.AskYesNo("přepsat?");
  gatherer.Show(MessageStyle::kPlain, "hotovo");
  for (int i = 0; i < 25; ++i) gatherer.Show(MessageStyle::kWarning, std::to_string(i));
  gatherer.Flush();
  gatherer.Flush();
  ASSERT_EQ(shown.shown.size(), 4u);
  EXPECT_EQ(shown.shown[0], (Shown{MessageStyle::kWarning, "první\ndruhé"}));
  EXPECT_EQ(shown.shown[1], (Shown{MessageStyle::kQuestion, "přepsat?"}));
  EXPECT_EQ(shown.shown[3].text.substr(shown.shown[3].text.rfind('\n') + 1),
            "… a další upozornění (5)");
}

// Answers the file dialog with a path under the "every file" filter (GTK hides a name without
// an extension under the others) and notes its title, folder and wildcard.
struct AnswerFileDialog : wxExpectModal<wxFileDialog> {
  AnswerFileDialog(const wxString& path, wxString& seen)
      : wxExpectModal<wxFileDialog>(path), seen(&seen) {}
  int OnInvoked(wxFileDialog* dialog) const override {
    *seen = dialog->GetMessage() + "|" + dialog->GetDirectory() + "|" + dialog->GetWildcard();
    const int result = wxExpectModal<wxFileDialog>::OnInvoked(dialog);
    // GTK selects the file once it has read the folder, which takes a few turns of the loop.
    for (int i = 0; i < 300 && dialog->GetPath().empty(); ++i) {
      wxTheApp->Yield(true);
      wxMilliSleep(10);
    }
    dialog->SetFilterIndex(2);
    return result;
  }
  wxString* seen;
};

TEST_F(UiTest, FileChooserMatchesAnyCaseAndExtendsByTheChosenFilter) {
#ifdef __WXMSW__  // the system matches in any case
  const char* wildcard =
      "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo|Všechny soubory (*.*)|*.*";
#else
  const char* wildcard =
      "GPC Files (*.gpc)|*.[gG][pP][cC]|ABO Files (*.abo)|*.[aA][bB][oO]|Všechny soubory (*.*)|*";
#endif
  WxFileChooser chooser;
  WriteFile(TempPath("novy"), "");  // the GTK chooser only reports a file that is there
  const FileRequest request{"ABO soubor", wxString::FromUTF8(ui_texts::kAboFilter), "abo",
                            wxString::FromUTF8(temp_dir_)};
  wxString seen;
  std::optional<wxString> chosen;
  wxTEST_DIALOG(chosen = chooser.ChooseFile(nullptr, request),
                AnswerFileDialog(TempPath("novy"), seen));
  EXPECT_EQ(chosen.value_or("-"), TempPath("novy") + ".abo");
  EXPECT_EQ(seen, "ABO soubor|" + wxString::FromUTF8(temp_dir_ + "|" + wildcard));
  for (const auto& [filter, extension] :
       {std::pair{0, "gpc"}, {1, "abo"}, {2, "abo"}, {9, "abo"}}) {
    EXPECT_EQ(ExtensionOfFilter(request.filter, filter, "abo"), extension);
  }
  wxTEST_DIALOG(EXPECT_FALSE(chooser.ChooseFile(nullptr, request)),
                wxExpectModal<wxFileDialog>(TempPath("x.gpc"), wxID_CANCEL));
}

}  // namespace
}  // namespace trelvan::testing
