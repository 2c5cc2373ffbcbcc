// The command line's own texts.
#pragma once

#include "trelvan_version.h"

namespace trelvan::cli_texts {

inline constexpr char kVersion[] = "trelvan-cli " TRELVAN_VERSION_TEXT "\n";

inline constexpr char kUsage[] =
    "Použití: trelvan-cli abo2dbf [--yes] [--code-page 1250] SOUBOR_ABO SOUBOR_DBF\n"
    "         trelvan-cli dbf2abo [--yes] SOUBOR_DBF SOUBOR_ABO\n"
    "         trelvan-cli --help | --version\n";

inline constexpr char kHelp[] =
    "Převádí bankovní výpisy mezi souborem ABO (*.abo, *.gpc) a tabulkou DBF (*.dbf)\n"
    "s memo souborem (*.dbt).\n"
    "\n"
    "  abo2dbf        převod ABO na DBF\n"
    "  dbf2abo        převod DBF na ABO\n"
    "  -y, --yes      existující výstupní soubor přepsat bez ptaní\n"
    "  --code-page 1250\n"
    "                 abo2dbf: zapsat do tabulky kódovou stránku windows-1250 (bajt 29),\n"
    "                 aby ostatní programy četly češtinu správně; bez ní bajt 0\n"
    "  -h, --help     vypsat tuto nápovědu\n"
    "  --version      vypsat verzi\n"
    "\n"
    "Bez --yes se na existující soubor ptá jen na terminálu; jinak převod neproběhne.\n"
    "Datum v hlavičce tabulky: SOURCE_DATE_EPOCH (UTC), je-li nastavena, jinak dnešní datum.\n"
    "Návratový kód: 0 převod proběhl, 1 převod neproběhl, 2 chybné použití.\n";

inline constexpr char kBadEpoch[] =
    "trelvan-cli: proměnná SOURCE_DATE_EPOCH neobsahuje počet sekund\n";

}  // namespace trelvan::cli_texts
