#include "ui/file_chooser.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

namespace trelvan {

namespace {

// The filter's names and patterns in turn, without the "||" terminator.
wxArrayString FilterParts(const wxString& filter) {
  const size_t end = filter.find("||");
  return wxSplit(end == wxString::npos ? filter : filter.substr(0, end), '|', '\0');
}

wxString AnyCase(const wxString& pattern) {
#ifdef __WXMSW__
  return pattern;  // the system matches in any case already
#else
  if (pattern == "*.*") return "*";  // every file, also one without a dot
  wxString result;
  for (const wxUniChar c : pattern) {
    const wxString lower = wxString(c).Lower(), upper = wxString(c).Upper();
    result += lower == upper ? wxString(c) : "[" + lower + upper + "]";
  }
  return result;
#endif
}

wxString ExtensionOfFilter(const wxString& filter, int index, const wxString& fallback) {
  const wxArrayString parts = FilterParts(filter);
  const size_t pattern = 2 * static_cast<size_t>(index) + 1;
  if (index < 0 || pattern >= parts.size()) return fallback;
  const wxString first = parts[pattern].BeforeFirst(';');
  if (!first.StartsWith("*.") || first == "*.*") return fallback;
  return first.Mid(2);
}

}  // namespace

wxString PlatformWildcard(const wxString& filter) {
  wxArrayString parts = FilterParts(filter);
  for (size_t i = 1; i < parts.size(); i += 2) {
    wxArrayString patterns = wxSplit(parts[i], ';', '\0');
    for (wxString& pattern : patterns) pattern = AnyCase(pattern);
    parts[i] = wxJoin(patterns, ';', '\0');
  }
  return wxJoin(parts, '|', '\0');
}

wxString WithFilterExtension(const wxString& path, const wxString& filter, int index,
                             const wxString& fallback) {
  wxFileName chosen(path);
  if (!chosen.HasExt()) chosen.SetExt(ExtensionOfFilter(filter, index, fallback));
  return chosen.GetFullPath();
}

std::optional<wxString> WxFileChooser::ChooseFile(wxWindow* owner, const FileRequest& request) {
  wxFileDialog dialog(owner, request.title, request.folder, wxEmptyString,
                      PlatformWildcard(request.filter), wxFD_OPEN);
  if (dialog.ShowModal() != wxID_OK || dialog.GetPath().empty()) return std::nullopt;
  return WithFilterExtension(dialog.GetPath(), request.filter, dialog.GetFilterIndex(),
                             request.default_extension);
}

}  // namespace trelvan
