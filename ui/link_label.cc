#include "ui/link_label.h"

#include <algorithm>

#include <wx/cursor.h>

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>

#include "ui/resource_ids.h"
#endif

namespace trelvan {

namespace {

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
    : wxGenericStaticText(parent, id, text, position, size, wxST_NO_AUTORESIZE) {
  SetForegroundColour(wxColour(0, 0, 255));
  SetBackgroundColour(parent->GetBackgroundColour());
  SetCursor(LinkCursor());
  Bind(wxEVT_LEFT_UP, &LinkLabel::OnLeftUp, this);
  // The template's width was made for a smaller font: an address is never cut.
  SetSize(wxSize(std::max(size.x, GetBestSize().x), size.y));
}

void LinkLabel::OnLeftUp(wxMouseEvent& event) {
  event.Skip();
  wxCommandEvent click(wxEVT_BUTTON, GetId());
  click.SetEventObject(this);
  ProcessWindowEvent(click);
}

}  // namespace trelvan
