// A label that acts as a link: blue text on its parent's background, the hand cursor, and a
// click that reaches the parent as a button click with the label's id.
#pragma once

#include <wx/generic/stattextg.h>

namespace trelvan {

class LinkLabel : public wxGenericStaticText {
 public:
  LinkLabel(wxWindow* parent, int id, const wxString& text, const wxPoint& position,
            const wxSize& size);

 private:
  void OnLeftUp(wxMouseEvent& event);
};

}  // namespace trelvan
