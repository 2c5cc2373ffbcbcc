// The application icon, drawn in resources/make_icons.py.
#pragma once

#include <wx/icon.h>
#include <wx/iconbndl.h>

namespace trelvan {

// Returns the icon at 32 or 16 pixels (anything but 16 gives the 32-pixel one).
wxIcon AppIcon(int size);

// Every size there is, for the window: the program's icon group on Windows, the installed
// icon theme's sizes elsewhere (the compiled-in 16 and 32 pixels when not installed).
wxIconBundle AppIcons();

}  // namespace trelvan
