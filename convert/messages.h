// Every text the conversions show, exactly as the users know them (UTF-8). "%s" and "%u" are
// filled by FillMessage.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace trelvan {

// Fills "%s" and "%u" in `text` with `arguments`, in order.
std::string FillMessage(std::string_view text, std::initializer_list<std::string_view> arguments);

}  // namespace trelvan

namespace trelvan::messages {

inline constexpr char kCannotOpenFile[] = "Nemohu otevřít soubor \"%s\"";
inline constexpr char kFileExistsOverwrite[] = "Soubor \"%s\" již existuje!\nPřepsat?";
inline constexpr char kConversionSucceeded[] = "Konverze proběhla úspěšně";
inline constexpr char kFileError[] = "Chyba při práci se souborem \"%s\": %s";
inline constexpr char kAmountTooLargeOnLine[] = "Částka na řádku %u je příliš velká";
inline constexpr char kTruncatedLines[] = "Počet zkrácených řádků (delších než 128 znaků): %u";
inline constexpr char kAmountTooLargeInRecord[] = "Částka v záznamu %u je příliš velká";
inline constexpr char kNotAStatementTable[] = "Soubor \"%s\" není tabulka výpisu";
inline constexpr char kTableIncomplete[] = "Tabulka \"%s\" je neúplná: převedeno %u z %u záznamů";
inline constexpr char kTableLacksField[] = "Tabulka \"%s\" nemá pole %s";
// Also for a memo file shorter than its header block says: cut short, it cannot be told from a
// file of another kind, and reading it could write bytes of no memo into the statement.
inline constexpr char kNotAMemoFile[] =
    "Soubor \"%s\" není soubor memo dBASE ani FoxPro, nebo je neúplný";
inline constexpr char kValueNotANumber[] = "Hodnota \"%s\" v poli %s záznamu %u není číslo";
inline constexpr char kValueTooLong[] = "Hodnota \"%s\" v poli %s záznamu %u je delší než %u znaků";
inline constexpr char kDeletedRowsLeftOut[] = "Vynecháno %u záznamů označených ke smazání";
inline constexpr char kStatementRepeats[] =
    "Výpis č. %s účtu %s se v tabulce vrací po jiném výpisu (záznam %u); řádky jsou zapsány "
    "v pořadí tabulky";
inline constexpr char kNotAboStatement[] = "Soubor \"%s\" není výpis ABO";

// Why a file cannot be opened or fails later; shown after "Nemohu otevřít soubor "%s": " and
// after the file error's name.
inline constexpr char kCannotOpenFileBecause[] = "Nemohu otevřít soubor \"%s\": %s";
inline constexpr char kReasonNotFound[] = "soubor neexistuje";
inline constexpr char kReasonAccessDenied[] = "přístup odepřen";
inline constexpr char kReasonIsDirectory[] = "je to složka";
inline constexpr char kReasonNotRegularFile[] = "není to obyčejný soubor";
inline constexpr char kReasonSameFile[] = "je to tentýž soubor jako \"%s\"";
inline constexpr char kReasonFolderNotWritable[] = "ve složce nelze vytvořit nový soubor";
inline constexpr char kReasonDiskFull[] = "disk je plný";
inline constexpr char kReasonReadOnlyFileSystem[] = "disk je jen pro čtení";
inline constexpr char kReasonQuotaExceeded[] = "překročena disková kvóta";
inline constexpr char kReasonInputOutput[] = "chyba čtení nebo zápisu na disk";

// Notes after a conversion, each preceded by the file it concerns ("%s: ").
inline constexpr char kNoteInFile[] = "%s: %s";
inline constexpr char kIncompleteLine[] = "Řádek %u je neúplný";
inline constexpr char kStatementWithoutItems[] = "Výpis č. %s účtu %s nemá žádné položky";
inline constexpr char kBalanceMismatch[] =
    "Výpis č. %s účtu %s: počáteční zůstatek - obrat debet + obrat kredit se liší od konečného "
    "zůstatku o %s Kč";
inline constexpr char kDebitsMismatch[] =
    "Výpis č. %s účtu %s: součet položek s kódem 1 se liší od obratu debet o %s Kč";
inline constexpr char kCreditsMismatch[] =
    "Výpis č. %s účtu %s: součet položek s kódem 2 se liší od obratu kredit o %s Kč";
inline constexpr char kSequenceGap[] =
    "Výpis č. %s účtu %s nenavazuje na výpis č. %s: počáteční zůstatek se liší od jeho "
    "konečného o %s Kč";
inline constexpr char kMemoRowsLost[] =
    "Počet záznamů bez dalších řádků (memo soubor \"%s\" nelze otevřít): %u";
inline constexpr char kMemoRowsCut[] =
    "Počet záznamů bez dalších řádků (memo soubor \"%s\" je neúplný): %u";
inline constexpr char kUnmappableCharacters[] =
    "Počet znaků, které ve windows-1250 nejsou (nahrazeny \"?\"): %u";
inline constexpr char kTranscoded[] = "Text souboru byl převeden z %s do windows-1250";
inline constexpr char kMoreWarnings[] = "… a dalších %u upozornění";

}  // namespace trelvan::messages
