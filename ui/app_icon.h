// The application icon, drawn in resources/make_icons.py.
#pragma once

#include <wx/icon.h>

namespace trelvan {

// Returns the icon at 32 or 16 pixels (anything but 16 gives the 32-pixel one).
wxIcon AppIcon(int size);

}  // namespace trelvan
