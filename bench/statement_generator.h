// Large, realistic ABO statement files for benchmarks and round-trip checks: several statements,
// items with Czech windows-1250 notes, item codes "1", "2" and "-", and 076/078 other lines
// after every fifth item. Every line is standard: 128 characters and CR LF.
//
// The files are deterministic for a given seed, and they satisfy everything a byte-for-byte
// round trip through the table needs (each statement opens with a header line that differs
// from the one before and has at least one item; other lines only after items; calendar dates;
// own account equal to the statement's account; no NUL or 0x1A bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/abo_line.h"

namespace trelvan::bench {

struct StatementFileShape {
  std::uint64_t items = 1000;
  // Statement lengths are drawn from 1 to this many items.
  std::uint32_t max_statement_items = 20000;
  std::uint64_t seed = 1;
};

class StatementGenerator {
 public:
  explicit StatementGenerator(const StatementFileShape& shape);

  // Fills `line` with the next line, kLineWithEnd bytes; false once the file is complete.
  bool NextLine(char* line);

 private:
  enum class Next { kHeader, kItem, kNoteLine, kMessageLine, kNothing };

  void WriteHeader(char* line);
  void WriteItem(char* line);
  void WriteNoteLine(char* line);
  void WriteMessageLine(char* line);
  std::uint64_t Random();
  std::uint64_t Below(std::uint64_t bound) { return Random() % bound; }

  StatementFileShape shape_;
  std::uint64_t state_;
  std::uint64_t items_left_;
  std::uint64_t item_number_ = 0;  // in the file, from 0
  std::uint64_t statement_number_ = 0;
  std::uint64_t statement_first_item_ = 0;
  std::uint64_t statement_items_left_ = 0;
  std::int64_t balance_ = 0;  // hundredths
  long day_ = 0;              // of the statement, in days since 1 January 2020
  std::uint64_t account_ = 0;
  std::size_t account_name_ = 0;
  Next next_ = Next::kHeader;
};

// The whole statement file in memory, for tests.
std::string StatementFile(const StatementFileShape& shape);

// Writes a whole statement file to `path`. Returns false when the file cannot be written.
bool WriteStatementFile(const std::string& path, const StatementFileShape& shape);

}  // namespace trelvan::bench
