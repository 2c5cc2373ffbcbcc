// The real message boxes and file chooser, answered through wxWidgets' modal dialog hook.
#include "ui/wx_prompter.h"

#include <set>

#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/platinfo.h>
#include <wx/statbmp.h>

#include "tests/ui/ui_test_support.h"
#include "ui/file_chooser.h"
#include "ui/ui_texts.h"
#include "ui/warning_gatherer.h"

namespace trelvan::testing {
namespace {

// Answers Yes or OK, noting the box's style and labels and, where wxWidgets draws the box (not
// on Windows), its default button and the pixels of its icon.
struct AnswerBox : wxModalExpectation {
  AnswerBox(wxString& seen, std::set<std::string>& icons) : seen(&seen), icons(&icons) {}
  int Invoke(wxDialog* dialog) const override {
    auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
    if (box == nullptr) return wxID_NONE;
    auto* button = dynamic_cast<wxButton*>(box->GetDefaultItem());
    const long style = box->GetMessageDialogStyle() & ~(wxCENTRE | wxICON_NONE);
    *seen = wxString::Format("%lx %s/%s/%s %s", style, box->GetYesLabel(), box->GetNoLabel(),
                             box->GetOKLabel(), button ? button->GetLabel() : "");
    for (wxWindow* child : dialog->GetChildren()) {
      if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(child)) {
        const wxImage image = bitmap->GetBitmap().ConvertToImage();
        icons->emplace(reinterpret_cast<char*>(image.GetData()),
                       3 * image.GetWidth() * image.GetHeight());
      }
    }
    return style & wxYES_NO ? wxID_YES : wxID_OK;
  }
  wxString GetDefaultDescription() const override { return "a message box"; }
  wxString* seen;
  std::set<std::string>* icons;
};

TEST(WxPrompter, EachKindShowsItsOwnIconAndAQuestionDefaultsToNo) {
  const bool drawn = wxPlatformInfo::Get().GetPortId() != wxPORT_MSW;
  WxPrompter prompter;
  const std::pair<MessageStyle, long> kinds[] = {
      {MessageStyle::kQuestion, wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION},
      {MessageStyle::kStop, wxOK | wxICON_STOP},
      {MessageStyle::kWarning, wxOK | wxICON_WARNING},
      {MessageStyle::kInformation, wxOK | wxICON_INFORMATION},
      {MessageStyle::kPlain, wxOK}};
  std::set<std::string> icons;
  for (const auto& [kind, flags] : kinds) {
    wxString seen;
    wxTEST_DIALOG(if (kind != MessageStyle::kQuestion) prompter.Show(kind, "Zpráva");
                  else EXPECT_TRUE(prompter.AskYesNo("Přepsat?")), AnswerBox(seen, icons));
    const char* default_button = !drawn ? "" : flags & wxOK ? "OK" : "Ne";
    EXPECT_EQ(seen, wxString::Format("%lx Ano/Ne/OK %s", flags, default_button));
  }
  EXPECT_EQ(icons.size(), drawn ? 4u : 0u);  // one for each kind but the plain message
  wxTEST_DIALOG(EXPECT_FALSE(prompter.AskYesNo("Přepsat?")), wxExpectAny(wxID_NO));
}

TEST(WarningGatherer, ConsecutiveWarningsShareOneBoxShownBeforeTheNextMessage) {
  RecordingPrompter shown;
  WarningGatherer gatherer(shown);
  for (const char* text : {"první", "druhé"}) gatherer.Show(MessageStyle::kWarning, text);
  gatherer.AskYesNo("přepsat?");
  gatherer.Show(MessageStyle::kPlain, "hotovo");
  for (int i = 0; i < 25; ++i) gatherer.Show(MessageStyle::kWarning, std::to_string(i));
  for (int i = 0; i < 2; ++i) gatherer.Flush();
  ASSERT_EQ(shown.shown.size(), 4u);
  EXPECT_EQ(shown.shown[0], (Shown{MessageStyle::kWarning, "první\ndruhé"}));
  EXPECT_EQ(shown.shown[1], (Shown{MessageStyle::kQuestion, "přepsat?"}));
  EXPECT_EQ(shown.shown[3].text.substr(shown.shown[3].text.rfind('\n') + 1),
            "… a další upozornění (5)");
}

// What the system's chooser is given and what becomes of a name typed there without an extension.
TEST(FileChooser, ExtensionsMatchInAnyCaseAndATypedNameGetsTheChosenFiltersExtension) {
#ifdef __WXMSW__  // the system matches in any case
  const char* wildcard = "*.gpc|ABO Files (*.abo)|*.abo|Všechny soubory (*.*)|*.*";
#else
  const char* wildcard = "*.[gG][pP][cC]|ABO Files (*.abo)|*.[aA][bB][oO]|Všechny soubory (*.*)|*";
#endif
  const wxString filter = wxString::FromUTF8(ui_texts::kAboFilter);
  EXPECT_EQ(PlatformWildcard(filter),
            wxString::FromUTF8(std::string("GPC Files (*.gpc)|") + wildcard));
  for (const auto& [index, name] :
       {std::pair{0, "novy.gpc"}, {1, "novy.abo"}, {2, "novy.abo"}, {9, "novy.abo"}}) {
    EXPECT_EQ(WithFilterExtension("novy", filter, index, "abo"), name);
  }
  EXPECT_EQ(WithFilterExtension("v.GPC", filter, 1, "abo"), "v.GPC");
}

}  // namespace
}  // namespace trelvan::testing
