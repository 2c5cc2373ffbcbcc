// Every text the dialogs show (UTF-8), and the contact values of the About dialog. The
// recipient and the web target are read from the link labels at the moment of a click, so
// changing them here is all it takes.
#pragma once

#include "trelvan_version.h"

namespace trelvan::ui_texts {

// Caption of the message boxes and of the main dialog.
inline constexpr char kAppName[] = "TRELVAN";
inline constexpr char kStartupFailed[] = "OLE Initializatin failed!";

// Main dialog.
inline constexpr char kAboLabel[] = "ABO soubor:";
inline constexpr char kDbfLabel[] = "DBF soubor:";
inline constexpr char kBrowse[] = "...";
inline constexpr char kConvertAboToDbf[] = "Převod ABO na &DBF";
inline constexpr char kConvertDbfToAbo[] = "Převod DBF na &ABO";
inline constexpr char kAboMissing[] = "Není zadán ABO soubor";
inline constexpr char kDbfMissing[] = "Není zadán DBF soubor";
inline constexpr char kAboutMenuEntry[] = "&O aplikaci TRELVAN...";
// Stands above the About entry in the context menu that replaces the window menu on GTK.
inline constexpr char kCloseMenuEntry[] = "&Zavřít";

// File chooser; filters in the "name|pattern|...||" form, default extensions without the dot.
inline constexpr char kOpenFileTitle[] = "Otevřít";
inline constexpr char kAboFilter[] = "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo||";
inline constexpr char kAboDefaultExtension[] = "abo";
inline constexpr char kDbfFilter[] = "DBF Files (*.dbf)|*.dbf||";
inline constexpr char kDbfDefaultExtension[] = "dbf";

// About dialog.
inline constexpr char kAboutCaption[] = "O aplikaci TRELVAN";
inline constexpr char kProductAndVersion[] = "TRELVAN Verze " TRELVAN_SHORT_VERSION_TEXT;
inline constexpr char kRightsNotice[] = "Copyright © 2002 Trelvan Software";
inline constexpr char kMakerAddress[] = "Trelvan Software\nUkázková 12\n123 45 Příkladov";
inline constexpr char kMailAddress[] = "info@trelvan.example";
inline constexpr char kWebAddress[] = "www.trelvan.example";
inline constexpr char kOk[] = "OK";
inline constexpr char kYes[] = "Ano";
inline constexpr char kNo[] = "Ne";
// Filled with the text of the product label.
inline constexpr char kMailSubject[] = "Připomínka k programu \"%s\"";

// The mail prompts, known on Windows by the numbers 61840, 61841 and 61842.
inline constexpr char kMailUnavailable[] = "Nelze načíst podporu pošty.";
inline constexpr char kMailLibraryInvalid[] = "Knihovna pošty není platná.";
inline constexpr char kMailSendFailed[] = "Odeslání pošty se nezdařilo.";

}  // namespace trelvan::ui_texts
