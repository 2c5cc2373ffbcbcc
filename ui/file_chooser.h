// The system's open-file dialog as the browse buttons use it: the file need not exist (the
// same chooser names the output of the other direction) and there is no read-only choice.
// Extensions match in any case, and a name typed without an extension gets the one of the
// filter the user chose.
#pragma once

#include <optional>

#include <wx/string.h>

class wxWindow;

namespace trelvan {

struct FileRequest {
  wxString title;
  // "name|pattern|...||": each pattern "*.ext"; "*.*" stands for every file.
  wxString filter;
  // Without the dot; given to a name chosen under the "every file" filter.
  wxString default_extension;
  wxString folder;  // where the chooser opens; empty: the platform's choice
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // Returns the chosen full path, or nothing when the user cancels.
  virtual std::optional<wxString> ChooseFile(wxWindow* owner, const FileRequest& request) = 0;
};

class WxFileChooser : public FileChooser {
 public:
  std::optional<wxString> ChooseFile(wxWindow* owner, const FileRequest& request) override;
};

// The filter as the platform's chooser takes it: ended at the "||" terminator, and where the
// chooser matches case-sensitively (GTK), every letter of an extension as [xX].
wxString PlatformWildcard(const wxString& filter);

// The chosen path; a name typed without an extension under filter number `index` gets the
// filter's own, or `fallback` for "*.*" and for an index beyond the list.
wxString WithFilterExtension(const wxString& path, const wxString& filter, int index,
                             const wxString& fallback);

}  // namespace trelvan
