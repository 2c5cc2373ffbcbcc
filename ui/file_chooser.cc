#include "ui/file_chooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

#include "ui/ui_texts.h"

namespace trelvan {

wxString WildcardFromFilter(const wxString& filter) {
  wxString wildcard;
  const wxArrayString parts = wxSplit(filter, '|', '\0');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() && parts[i + 1].empty()) break;
    if (!wildcard.empty()) wildcard += '|';
    wildcard += parts[i] + '|' + parts[i + 1];
  }
  return wildcard;
}

wxString WithDefaultExtension(const wxString& path, const wxString& extension) {
  if (extension.empty() || wxFileName(path).HasExt()) return path;
  return path + '.' + extension;
}

std::optional<wxString> WxFileChooser::ChooseFile(wxWindow* owner,
                                                  const wxString& default_extension,
                                                  const wxString& filter) {
  wxFileDialog dialog(owner, wxString::FromUTF8(ui_texts::kOpenFileTitle), wxEmptyString,
                      wxEmptyString, WildcardFromFilter(filter), wxFD_OPEN);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return WithDefaultExtension(dialog.GetPath(), default_extension);
}

}  // namespace trelvan
