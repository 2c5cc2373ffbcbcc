// The numbers the dialogs' controls and commands are known by.
#pragma once

namespace trelvan::ids {

// Main dialog.
inline constexpr int kAboPath = 1000;
inline constexpr int kDbfPath = 1001;
inline constexpr int kBrowseAbo = 1002;
inline constexpr int kBrowseDbf = 1003;
inline constexpr int kConvertAboToDbf = 1004;
inline constexpr int kConvertDbfToAbo = 1005;
// The About entry of the window menu (Windows) and of the dialog's context menu.
inline constexpr int kAboutCommand = 16;
// Close in that context menu (a number of its own: the stock close id brings Ctrl+W along).
inline constexpr int kCloseCommand = 1006;

// About dialog.
inline constexpr int kMailLink = 1046;
inline constexpr int kWebLink = 1047;
inline constexpr int kProductLabel = 1048;

// Windows resources (ui/windows/trelvan.rc).
inline constexpr int kAppIconResource = 128;
inline constexpr int kLinkCursorResource = 139;

}  // namespace trelvan::ids
