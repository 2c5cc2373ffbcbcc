#include "ui/link_label.h"

#include <algorithm>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>

#include "ui/resource_ids.h"
#endif

namespace trelvan {

namespace {

const wxColour kLinkBlue(0, 0, 255);

wxCursor LinkCursor() {
#ifdef __WXMSW__
  // The program's own pointing hand (cursor group 139), where the resources are linked in.
  if (::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ids::kLinkCursorResource),
                      RT_GROUP_CURSOR)) {
    wxCursor cursor(wxString::Format("#%d", ids::kLinkCursorResource), wxBITMAP_TYPE_CUR_RESOURCE);
    if (cursor.IsOk()) return cursor;
  }
#endif
  return wxCursor(wxCURSOR_HAND);
}

}  // namespace

LinkLabel::LinkLabel(wxWindow* parent, int id, const wxString& text, const wxPoint& position,
                     const wxSize& size)
    : wxGenericHyperlinkCtrl(parent, id, text, text, position, size, wxNO_BORDER | wxHL_ALIGN_LEFT),
      cursor_(LinkCursor()) {
  SetNormalColour(kLinkBlue);
  SetHoverColour(kLinkBlue);
  SetVisitedColour(kLinkBlue);
  SetBackgroundColour(parent->GetBackgroundColour());
  SetFont(GetFont().Underlined());
  // At least as wide as the font it draws with needs: an address is never cut.
  InvalidateBestSize();
  SetSize(wxSize(std::max(size.x, GetBestSize().x), std::max(size.y, GetBestSize().y)));
  SetCursor(cursor_);
  // The control sets the stock hand over its text; the system asks here before it draws one.
  Bind(wxEVT_SET_CURSOR, [this](wxSetCursorEvent& event) { event.SetCursor(cursor_); });
}

}  // namespace trelvan
