#include "bench/statement_generator.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace trelvan::bench {
namespace {

// Windows-1250 texts (octal escapes, which never swallow a following letter); the comments
// show them in UTF-8.
constexpr std::string_view kAccountNames[] = {
    "\216lut\375 k\371\362 s.r.o.",                  // Žlutý kůň s.r.o.
    "\330eznictv\355 \212\235astn\375",              // Řeznictví Šťastný
    "\332\350etn\355 kancel\341\370 K\370\355\236",  // Účetní kancelář Kříž
    "Pek\341rna U \310\341p\371 a.s.",               // Pekárna U Čápů a.s.
    "Ing. Ji\370\355 Dvo\370\341k",                  // Ing. Jiří Dvořák
};
constexpr std::string_view kNotes[] = {
    "Platba za zbo\236\355",             // Platba za zboží
    "N\341jemn\351 z\341\370\355",       // Nájemné září
    "Z\341loha na energie",              // Záloha na energie
    "Mzda \370\355jen",                  // Mzda říjen
    "Faktura \350. 2024117",             // Faktura č. 2024117
    "\332hrada p\370eplatku",            // Úhrada přeplatku
    "P\370\355sp\354vek stravn\351",     // Příspěvek stravné
    "Poji\232t\354n\355 vozidla",        // Pojištění vozidla
    "\310lensk\375 p\370\355sp\354vek",  // Členský příspěvek
    "Dobropis \350. 88",                 // Dobropis č. 88
    "V\375b\354r z bankomatu",           // Výběr z bankomatu
    "Poplatek za veden\355",             // Poplatek za vedení
};
constexpr std::string_view kCounterparties[] = {
    "P\370evod z \372\350tu",              // Převod z účtu
    "Obchodn\355 d\371m \212ev\350\355k",  // Obchodní dům Ševčík
    "T\354\232\355nsk\351 uzeniny",        // Těšínské uzeniny
    "Platba kartou Brno, \310esk\341",     // Platba kartou Brno, Česká
};
constexpr std::string_view kMessages[] = {
    "Zpr\341va pro p\370\355jemce: d\354kujeme",     // Zpráva pro příjemce: děkujeme
    "\332hrada faktury dle smlouvy \350. 451/2024",  // Úhrada faktury dle smlouvy č. 451/2024
};
constexpr std::string_view kConstantSymbols[] = {"0000000308", "0000000558", "0000000000"};

constexpr std::uint64_t kPowersOfTen[] = {1,      10,      100,      1000,     10000,
                                          100000, 1000000, 10000000, 100000000};

template <std::size_t N>
std::string_view Pick(const std::string_view (&texts)[N], std::uint64_t random) {
  return texts[random % N];
}

// splitmix64: also a good hash of a counter.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15u;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
  return x ^ (x >> 31);
}

// An item's amount and code depend only on the seed and the item's number, so a statement's
// header can sum its items before they are written.
struct ItemAmount {
  std::int64_t hundredths;  // as the line carries it
  char code;                // '1' debit, '2' credit, '-' a reversed credit
};

ItemAmount AmountOf(std::uint64_t seed, std::uint64_t item) {
  const std::uint64_t h = Mix(seed * 0x100000001B3u ^ item);
  const std::uint64_t digits = 1 + (h >> 8) % 8;
  const auto hundredths = static_cast<std::int64_t>((h >> 16) % kPowersOfTen[digits]);
  const unsigned kind = h % 20;
  return {hundredths, kind < 9 ? '1' : kind < 18 ? '2' : '-'};
}

void PutText(char* out, std::size_t width, std::string_view text) {
  const std::size_t n = text.size() < width ? text.size() : width;
  std::memcpy(out, text.data(), n);
  std::memset(out + n, ' ', width - n);
}

void PutDigits(char* out, std::size_t width, std::uint64_t value) {
  for (std::size_t i = width; i-- > 0; value /= 10) out[i] = static_cast<char>('0' + value % 10);
}

// DDMMYY of a day counted from 1 January 2020 (civil-from-days, proleptic Gregorian).
void PutDate(char* out, long days) {
  const long z = days + 18262 + 719468;  // 2020-01-01 is day 18262 of the Unix epoch
  const long era = z / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const long day = doy - (153 * mp + 2) / 5 + 1;
  const long month = mp < 10 ? mp + 3 : mp - 9;
  const long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  PutDigits(out, 2, static_cast<std::uint64_t>(day));
  PutDigits(out + 2, 2, static_cast<std::uint64_t>(month));
  PutDigits(out + 4, 2, static_cast<std::uint64_t>(year % 100));
}

void PutSignedAmount(char* digits, std::int64_t hundredths) {
  const bool negative = hundredths < 0;
  PutDigits(digits, 14, static_cast<std::uint64_t>(negative ? -hundredths : hundredths));
  digits[14] = negative ? '-' : '+';
}

}  // namespace

StatementGenerator::StatementGenerator(const StatementFileShape& shape)
    : shape_(shape), state_(Mix(shape.seed)), items_left_(shape.items) {
  if (shape_.max_statement_items == 0) shape_.max_statement_items = 1;
  balance_ = static_cast<std::int64_t>(Below(100'000'000'00));
  if (items_left_ == 0) next_ = Next::kNothing;
}

std::uint64_t StatementGenerator::Random() { return Mix(state_++); }

bool StatementGenerator::NextLine(char* line) {
  switch (next_) {
    case Next::kHeader:
      WriteHeader(line);
      next_ = Next::kItem;
      return true;
    case Next::kItem:
      WriteItem(line);
      break;
    case Next::kNoteLine:
      WriteNoteLine(line);
      break;
    case Next::kMessageLine:
      WriteMessageLine(line);
      break;
    case Next::kNothing:
      return false;
  }
  // What follows the line just written: other lines after every fifth item, a message line
  // after every tenth, then the next item or statement.
  const std::uint64_t item = item_number_ - 1;
  if (next_ == Next::kItem && item % 5 == 4) {
    next_ = Next::kNoteLine;
  } else if (next_ == Next::kNoteLine && item % 10 == 9) {
    next_ = Next::kMessageLine;
  } else if (items_left_ == 0) {
    next_ = Next::kNothing;
  } else {
    next_ = statement_items_left_ == 0 ? Next::kHeader : Next::kItem;
  }
  return true;
}

void StatementGenerator::WriteHeader(char* line) {
  using namespace header_line;
  ++statement_number_;
  statement_first_item_ = item_number_;
  statement_items_left_ = 1 + Below(shape_.max_statement_items);
  if (statement_items_left_ > items_left_) statement_items_left_ = items_left_;
  if (statement_number_ == 1 || Below(4) == 0) {
    account_ = 1000000000 + Below(9000000000);
    account_name_ = static_cast<std::size_t>(Below(std::size(kAccountNames)));
  }
  std::int64_t debit = 0;
  std::int64_t credit = 0;
  for (std::uint64_t i = 0; i < statement_items_left_; ++i) {
    const ItemAmount amount = AmountOf(shape_.seed, statement_first_item_ + i);
    (amount.code == '2' ? credit : debit) += amount.hundredths;
  }
  const long previous_day = day_;
  day_ += 1 + static_cast<long>(Below(30));

  std::memcpy(line + kTag.position - 1, "074", 3);
  PutDigits(line + kAccount.position - 1, kAccount.width, account_);
  PutText(line + kAccountName.position - 1, kAccountName.width, kAccountNames[account_name_]);
  PutDate(line + kPreviousBalanceDate.position - 1, previous_day);
  PutSignedAmount(line + kPreviousBalance.position - 1, balance_);
  balance_ += credit - debit;
  PutSignedAmount(line + kNewBalance.position - 1, balance_);
  PutSignedAmount(line + kDebitTurnover.position - 1, debit);
  PutSignedAmount(line + kCreditTurnover.position - 1, credit);
  PutDigits(line + kSequenceNumber.position - 1, kSequenceNumber.width,
            (statement_number_ - 1) % 999 + 1);
  PutDate(line + kStatementDate.position - 1, day_);
  std::memset(line + kFiller.position - 1, ' ', kFiller.width);
  FinishLine(line);
}

void StatementGenerator::WriteItem(char* line) {
  using namespace item_line;
  const ItemAmount amount = AmountOf(shape_.seed, item_number_);
  const long value_day = day_ - static_cast<long>(Below(3));
  std::memcpy(line + kTag.position - 1, "075", 3);
  PutDigits(line + kOwnAccount.position - 1, kOwnAccount.width, account_);
  PutDigits(line + kCounterAccount.position - 1, kCounterAccount.width, Below(10000000000));
  PutDigits(line + kDocumentNumber.position - 1, kDocumentNumber.width, item_number_ + 1);
  PutDigits(line + kAmount.position - 1, kAmount.width,
            static_cast<std::uint64_t>(amount.hundredths));
  line[kCode.position - 1] = amount.code;
  PutDigits(line + kVariableSymbol.position - 1, kVariableSymbol.width, Below(10000000000));
  PutText(line + kConstantSymbol.position - 1, kConstantSymbol.width,
          Pick(kConstantSymbols, Random()));
  PutDigits(line + kSpecificSymbol.position - 1, kSpecificSymbol.width,
            Below(4) == 0 ? Below(1000000) : 0);
  PutDate(line + kValueDate.position - 1, value_day);
  PutText(line + kNote.position - 1, kNote.width, Pick(kNotes, Random()));
  line[kChangeCode.position - 1] = '0';
  std::memcpy(line + kDataType.position - 1, "0203", 4);
  PutDate(line + kDueDate.position - 1, value_day);
  FinishLine(line);
  ++item_number_;
  --items_left_;
  --statement_items_left_;
}

void StatementGenerator::WriteNoteLine(char* line) {
  std::memset(line, ' ', kLineWidth);
  std::memcpy(line, "076", 3);
  PutDigits(line + 3, 26, Mix(item_number_) % 10000000000000000u);
  PutDate(line + 29, day_);
  PutText(line + 35, 35, Pick(kCounterparties, Random()));
  FinishLine(line);
}

void StatementGenerator::WriteMessageLine(char* line) {
  std::memcpy(line, "078", 3);
  PutText(line + 3, kLineWidth - 3, Pick(kMessages, Random()));
  FinishLine(line);
}

std::string StatementFile(const StatementFileShape& shape) {
  StatementGenerator generator(shape);
  std::string file;
  char line[kLineWithEnd];
  while (generator.NextLine(line)) file.append(line, sizeof line);
  return file;
}

bool WriteStatementFile(const std::string& path, const StatementFileShape& shape) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  static constexpr std::size_t kLinesPerWrite = 512;
  const auto buffer = std::make_unique<char[]>(kLinesPerWrite * kLineWithEnd);
  StatementGenerator generator(shape);
  bool ok = true;
  bool more = true;
  while (ok && more) {
    std::size_t lines = 0;
    while (lines < kLinesPerWrite && (more = generator.NextLine(&buffer[lines * kLineWithEnd]))) {
      ++lines;
    }
    ok = std::fwrite(buffer.get(), kLineWithEnd, lines, file) == lines;
  }
  return std::fclose(file) == 0 && ok;
}

}  // namespace trelvan::bench
