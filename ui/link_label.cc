#include "ui/link_label.h"

#include <algorithm>

#include <wx/cursor.h>

namespace trelvan {

LinkLabel::LinkLabel(wxWindow* parent, int id, const wxString& text, const wxPoint& position,
                     const wxSize& size)
    : wxGenericStaticText(parent, id, text, position, size, wxST_NO_AUTORESIZE) {
  SetForegroundColour(wxColour(0, 0, 255));
  SetBackgroundColour(parent->GetBackgroundColour());
  SetCursor(wxCursor(wxCURSOR_HAND));
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
