// The command line's own texts.
#pragma once

#include "trelvan_version.h"

namespace trelvan::cli_texts {

inline constexpr char kVersion[] = "trelvan-cli " TRELVAN_VERSION_TEXT "\n";

// Begins every line on standard error.
inline constexpr char kPrefix[] = "trelvan-cli: ";

inline constexpr char kUsage[] =
    "Použití: trelvan-cli abo2dbf [-y] [-q] [--code-page 1250] SOUBOR_ABO SOUBOR_DBF\n"
    "         trelvan-cli dbf2abo [-y] [-q] SOUBOR_DBF SOUBOR_ABO\n"
    "         trelvan-cli abo2dbf|dbf2abo [-y] [-q] -d ADRESÁŘ SOUBOR...\n"
    "         trelvan-cli check [--json] [-q] SOUBOR...\n"
    "         trelvan-cli --help | --version\n";

inline constexpr char kHelp[] =
    "Převádí bankovní výpisy mezi souborem ABO (*.abo, *.gpc) a tabulkou DBF (*.dbf)\n"
    "s memo souborem (*.dbt) a kontroluje, zda výpisy souhlasí.\n"
    "\n"
    "  abo2dbf          převod ABO na DBF (\"-\" jako SOUBOR_ABO čte standardní vstup)\n"
    "  dbf2abo          převod DBF na ABO (\"-\" jako SOUBOR_ABO píše na standardní výstup)\n"
    "  check            kontrola výpisů v souborech ABO nebo tabulkách DBF: zůstatky, obraty,\n"
    "                   návaznost výpisů jednoho účtu\n"
    "  -d, --directory ADRESÁŘ\n"
    "                   převést všechny zadané soubory do adresáře (JMÉNO.dbf, JMÉNO.gpc)\n"
    "  -y, --yes        existující výstupní soubor přepsat bez ptaní\n"
    "  -q, --quiet      při úspěchu nic nevypisovat (upozornění a chyby ano)\n"
    "  --code-page 1250\n"
    "                   abo2dbf: zapsat do tabulky kódovou stránku windows-1250 (bajt 29),\n"
    "                   aby ostatní programy četly češtinu správně; bez ní bajt 0\n"
    "  --json           výsledek kontroly jako JSON, jeden objekt na řádek a soubor\n"
    "  -h, --help       vypsat tuto nápovědu\n"
    "  --version        vypsat verzi\n"
    "\n"
    "Bez --yes se na existující soubor ptá jen na terminálu; jinak převod neproběhne.\n"
    "Datum v hlavičce tabulky: SOURCE_DATE_EPOCH (UTC), je-li nastavena, jinak dnešní datum.\n"
    "Návratový kód: 0 hotovo, 1 převod neproběhl nebo soubor nejde přečíst,\n"
    "2 chybné použití, 3 hotovo, ale s upozorněním (kontrola: výpis nesouhlasí).\n";

inline constexpr char kBadEpoch[] = "proměnná SOURCE_DATE_EPOCH neobsahuje počet sekund";

// Usage errors: what was wrong, then where to look.
inline constexpr char kSeeHelp[] = "; nápovědu vypíše trelvan-cli --help";
inline constexpr char kNoCommand[] = "chybí příkaz: abo2dbf, dbf2abo nebo check";
inline constexpr char kUnknownCommand[] = "neznámý příkaz \"%s\"";
inline constexpr char kUnknownOption[] = "neznámá volba \"%s\"";
inline constexpr char kDirectoryMissing[] = "volbě %s chybí adresář";
inline constexpr char kTwoFiles[] = "%s potřebuje dva soubory: zdrojový a cílový";
inline constexpr char kManyFilesNeedDirectory[] =
    "více souborů najednou lze převést jen do adresáře (volba -d)";
inline constexpr char kNoFiles[] = "chybí soubory";
inline constexpr char kCodePageOnly1250[] = "volba --code-page zná jen hodnotu 1250";
inline constexpr char kCodePageOnlyForAboToDbf[] = "volba --code-page patří jen k příkazu abo2dbf";
inline constexpr char kJsonOnlyForCheck[] = "volba --json patří jen k příkazu check";
inline constexpr char kDirectoryNotForCheck[] = "volba -d patří jen k převodům";
inline constexpr char kStdinNotATable[] = "tabulku DBF nelze číst ze standardního vstupu";
inline constexpr char kStdoutNotATable[] = "tabulku DBF nelze psát na standardní výstup";
inline constexpr char kStdinWithDirectory[] = "standardní vstup nelze převést do adresáře";

// The overwrite question when nobody can answer it.
inline constexpr char kNoTerminalRefusal[] =
    " Ne: bez terminálu se nelze zeptat; soubor přepíše volba --yes";

// Several files in one call.
inline constexpr char kOutputTwice[] =
    "Soubor \"%s\" už v tomto běhu vznikl z jiného souboru; \"%s\" nepřeveden";
inline constexpr char kSummary[] =
    "Soubory: převedeno %u z %u, z toho s upozorněním %u; nepřevedeno %u";

// check: one block per file.
inline constexpr char kCheckStatement[] =
    "výpis č. %s účtu %s ze dne %s (%s %u): %s; zůstatek %s Kč -> %s Kč, debet %s Kč, "
    "kredit %s Kč";
inline constexpr char kLine[] = "řádek";
inline constexpr char kRow[] = "záznam";
inline constexpr char kCheckBalance[] = "zůstatek";
inline constexpr char kCheckDebits[] = "položky s kódem 1 a obrat debet";
inline constexpr char kCheckCredits[] = "položky s kódem 2 a obrat kredit";
inline constexpr char kCheckSequence[] = "návaznost na předchozí výpis účtu";
inline constexpr char kPassed[] = "v pořádku";
inline constexpr char kFailedBy[] = "nesouhlasí o %s Kč";
inline constexpr char kNotApplicable[] = "neověřeno";
inline constexpr char kNoStatements[] = "žádné výpisy";
inline constexpr char kAllHold[] = "výsledek: v pořádku";
inline constexpr char kSomethingFails[] = "výsledek: nesouhlasí";

}  // namespace trelvan::cli_texts
