#include "ui/app_icon.h"

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

}  // namespace trelvan
