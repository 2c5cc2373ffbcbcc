// A link: blue underlined text on its parent's background, the hand cursor, and a place in the
// Tab order with a focus frame. A click, Space or Enter (Activate) reaches the parent as a
// wxEVT_HYPERLINK with the label's id; the target is the label's text.
#pragma once

#include <wx/cursor.h>
#include <wx/hyperlink.h>  // before the generic one, which does not include it itself

#include <wx/generic/hyperlink.h>

namespace trelvan {

class LinkLabel : public wxGenericHyperlinkCtrl {
 public:
  LinkLabel(wxWindow* parent, int id, const wxString& text, const wxPoint& position,
            const wxSize& size);

  void Activate() { SendEvent(); }

 private:
  wxCursor cursor_;
};

}  // namespace trelvan
