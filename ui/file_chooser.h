// The system's open-file dialog as the browse buttons use it: the file need not exist (the
// same chooser names the output of the other direction) and there is no read-only choice.
#pragma once

#include <optional>

#include <wx/string.h>

class wxWindow;

namespace trelvan {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // Returns the chosen full path, or nothing when the user cancels. `filter` is in the
  // "name|pattern|...||" form, `default_extension` has no dot.
  virtual std::optional<wxString> ChooseFile(wxWindow* owner, const wxString& default_extension,
                                             const wxString& filter) = 0;
};

class WxFileChooser : public FileChooser {
 public:
  std::optional<wxString> ChooseFile(wxWindow* owner, const wxString& default_extension,
                                     const wxString& filter) override;
};

// Ends the filter list at its "||" terminator, so that "A|*.a||" offers one filter, not a
// second nameless one.
wxString WildcardFromFilter(const wxString& filter);

// Appends ".extension" to a path whose file name has no extension of its own.
wxString WithDefaultExtension(const wxString& path, const wxString& extension);

}  // namespace trelvan
