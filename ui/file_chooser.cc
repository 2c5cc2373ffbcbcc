#include "ui/file_chooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "ui/ui_texts.h"

namespace trelvan {

wxString WildcardFromFilter(const wxString& filter) {
  const size_t end = filter.find("||");
  return end == wxString::npos ? filter : filter.substr(0, end);
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
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return std::nullopt;
  return WithDefaultExtension(dialog.GetPath(), default_extension);
}

}  // namespace trelvan
