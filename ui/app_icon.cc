#include "ui/app_icon.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/stdpaths.h>

#include "ui/resources/trelvan-16.xpm"
#include "ui/resources/trelvan-32.xpm"

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>

#include "ui/resource_ids.h"
#endif

namespace trelvan {

wxIcon AppIcon(int size) {
#ifdef __WXMSW__
  // The program's own icon group, the one Explorer shows; a test program without the
  // resources gets the same drawing from the XPM.
  if (::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ids::kAppIconResource),
                      RT_GROUP_ICON)) {
    const int pixels = size == 16 ? 16 : 32;
    wxIcon icon(wxString::Format("#%d", ids::kAppIconResource), wxBITMAP_TYPE_ICO_RESOURCE, pixels,
                pixels);
    if (icon.IsOk()) return icon;
  }
#endif
  return wxIcon(size == 16 ? trelvan_16_xpm : trelvan_32_xpm);
}

wxIconBundle AppIcons() {
#ifdef __WXMSW__
  if (::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ids::kAppIconResource),
                      RT_GROUP_ICON)) {
    return wxIconBundle(wxString::Format("#%d", ids::kAppIconResource),
                        ::GetModuleHandleW(nullptr));
  }
#else
  // Installed, the program has every size in the icon theme beside it (bin/../share/icons).
  const wxFileName program(wxStandardPaths::Get().GetExecutablePath());
  const wxString theme = program.GetPath() + "/../share/icons/hicolor/";
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
  wxIconBundle installed;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const wxString file = theme + wxString::Format("%dx%d/apps/trelvan.png", size, size);
    if (wxFileExists(file)) installed.AddIcon(file, wxBITMAP_TYPE_PNG);
  }
  if (!installed.IsEmpty()) return installed;
#endif
  wxIconBundle bundle(AppIcon(16));
  bundle.AddIcon(AppIcon(32));
  return bundle;
}

}  // namespace trelvan
