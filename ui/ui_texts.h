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
// A dropped file, or one given on the command line, that is neither kind.
inline constexpr char kNeitherStatementNorTable[] = "Soubor \"%s\" není výpis ABO ani tabulka DBF.";
// Ends a long list of warnings gathered into one box.
inline constexpr char kMoreWarnings[] = "… a další upozornění (%d)";

// File chooser; filters in the "name|pattern|...||" form, default extensions without the dot.
// The default extension follows the chosen filter; "all files" keeps the kind's own.
inline constexpr char kAboChooserTitle[] = "ABO soubor";
inline constexpr char kAboFilter[] =
    "GPC Files (*.gpc)|*.gpc|ABO Files (*.abo)|*.abo|Všechny soubory (*.*)|*.*||";
inline constexpr char kAboDefaultExtension[] = "abo";
inline constexpr char kDbfChooserTitle[] = "DBF soubor";
inline constexpr char kDbfFilter[] = "DBF Files (*.dbf)|*.dbf|Všechny soubory (*.*)|*.*||";
inline constexpr char kDbfDefaultExtension[] = "dbf";
// What a proposed path for the other field ends in.
inline constexpr char kProposedAboExtension[] = "gpc";

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

// The mail prompts (on Windows in place of the prompts 61840, 61841 and 61842); each ends
// with the address to write to by other means, filled in from the mail link.
inline constexpr char kMailUnavailable[] =
    "Není k dispozici žádný poštovní program, který by zprávu převzal.\n"
    "Napište nám prosím na adresu %s.";
inline constexpr char kMailLibraryInvalid[] =
    "Poštovní program nelze použít: jeho knihovna není platná.\n"
    "Napište nám prosím na adresu %s.";
inline constexpr char kMailSendFailed[] =
    "Zprávu se nepodařilo předat poštovnímu programu.\n"
    "Napište nám prosím na adresu %s.";

}  // namespace trelvan::ui_texts
