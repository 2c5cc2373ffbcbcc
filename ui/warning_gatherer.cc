#include "ui/warning_gatherer.h"

#include <algorithm>

#include <wx/string.h>

#include "ui/ui_texts.h"

namespace trelvan {

namespace {
// Lines of one warning box; what is beyond is counted, not shown.
constexpr std::size_t kShownWarnings = 20;
}  // namespace

bool WarningGatherer::AskYesNo(const std::string& question) {
  Flush();
  return target_.AskYesNo(question);
}

void WarningGatherer::Show(MessageStyle style, const std::string& text) {
  if (style == MessageStyle::kWarning) {
    warnings_.push_back(text);
    return;
  }
  Flush();
  target_.Show(style, text);
}

void WarningGatherer::Flush() {
  if (warnings_.empty()) return;
  std::string box;
  const std::size_t shown = std::min(warnings_.size(), kShownWarnings);
  for (std::size_t i = 0; i < shown; ++i) box += (i ? "\n" : "") + warnings_[i];
  if (shown < warnings_.size()) {
    const wxString more = wxString::Format(wxString::FromUTF8(ui_texts::kMoreWarnings),
                                           static_cast<int>(warnings_.size() - shown));
    box += "\n" + std::string(more.utf8_str());
  }
  warnings_.clear();
  target_.Show(MessageStyle::kWarning, box);
}

}  // namespace trelvan
