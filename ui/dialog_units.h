// Controls are placed by the dialog-unit rectangles of the dialog templates: a unit is a
// quarter of the dialog font's average character width across and an eighth of its height
// down, so the layout follows the font the desktop gives.
#pragma once

#include <wx/window.h>

namespace trelvan {

inline wxPoint DialogPoint(wxWindow* dialog, int x, int y) {
  return dialog->ConvertDialogToPixels(wxPoint(x, y));
}

inline wxSize DialogSize(wxWindow* dialog, int width, int height) {
  return dialog->ConvertDialogToPixels(wxSize(width, height));
}

}  // namespace trelvan
