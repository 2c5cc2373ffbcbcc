#include "convert/czech_wording.h"

namespace trelvan {
namespace {

enum class PluralForm { kOne, kFew, kMany };  // 1; 2 to 4; 0 and 5 on

PluralForm FormFor(std::uint64_t count) {
  if (count == 1) return PluralForm::kOne;
  if (count >= 2 && count <= 4) return PluralForm::kFew;
  return PluralForm::kMany;
}

// True when the number is spoken starting with "dva", "tři", "čtyři" and their compounds
// ("dvanáct", "třicet", "čtyři sta", "dva tisíce" ...), which take "ve" rather than "v".
bool SpokenWithVe(std::uint64_t n) {
  while (n >= 1000) {
    std::uint64_t leading = n;
    while (leading >= 1000) leading /= 1000;
    if (leading == 1) return false;  // "tisíc", "milion", "miliarda"
    n = leading;
  }
  if (n >= 100) return n / 100 >= 2 && n / 100 <= 4;
  if (n >= 20) return n / 10 >= 2 && n / 10 <= 4;
  return n == 2 || n == 3 || n == 4 || n == 12 || n == 13 || n == 14;
}

}  // namespace

std::string ItemCount(std::uint64_t items) {
  static constexpr const char* kItems[] = {" položka", " položky", " položek"};
  return std::to_string(items) + kItems[static_cast<int>(FormFor(items))];
}

std::string ConvertedCounts(std::uint64_t items, std::uint64_t statements) {
  static constexpr const char* kVerb[] = {"Převedena ", "Převedeny ", "Převedeno "};
  std::string text = kVerb[static_cast<int>(FormFor(items))] + ItemCount(items);
  text += SpokenWithVe(statements) ? " ve " : " v ";
  text += std::to_string(statements);
  text += statements == 1 ? " výpisu" : " výpisech";
  return text;
}

std::string Crowns(std::int64_t hundredths) {
  const bool negative = hundredths < 0;
  // Negated as unsigned, so that the most negative value has a magnitude, too.
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(hundredths)
                                     : static_cast<std::uint64_t>(hundredths);
  std::string digits = std::to_string(magnitude / 100);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
    grouped += digits[i];
  }
  const unsigned cents = static_cast<unsigned>(magnitude % 100);
  return (negative ? "-" : "") + grouped + "," + static_cast<char>('0' + cents / 10) +
         static_cast<char>('0' + cents % 10);
}

std::string CrownsApart(std::int64_t difference) {
  const std::string text = Crowns(difference);
  return text[0] == '-' ? text.substr(1) : text;
}

}  // namespace trelvan
