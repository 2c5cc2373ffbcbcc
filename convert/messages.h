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
inline constexpr char kNotAMemoFile[] = "Soubor \"%s\" není soubor memo dBASE ani FoxPro";
inline constexpr char kValueNotANumber[] = "Hodnota \"%s\" v poli %s záznamu %u není číslo";
inline constexpr char kValueTooLong[] = "Hodnota \"%s\" v poli %s záznamu %u je delší než %u znaků";
inline constexpr char kDeletedRowsLeftOut[] = "Vynecháno %u záznamů označených ke smazání";
inline constexpr char kStatementRepeats[] =
    "Výpis č. %s účtu %s se v tabulce vrací po jiném výpisu (záznam %u); řádky jsou zapsány "
    "v pořadí tabulky";

}  // namespace trelvan::messages
