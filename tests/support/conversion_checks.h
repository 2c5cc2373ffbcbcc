// What every conversion run must show, checked against the tests' own model of the two file
// formats. Shared by the tests and the fuzz targets: each function runs a conversion in a fresh
// Session and returns what it found broken, or "" when everything held.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trelvan::testing {

// Converts `abo` (as in.gpc) to out.dbf. The lines are found a byte at a time and every record,
// the whole table and memo file, the line an oversized amount stops at and the count of cut
// lines are predicted from them; a finished table must then convert back.
std::string CheckAboToDbf(std::string_view abo);

// Converts `table` (in.dbf) with `memo` (in.dbt, none when absent) to out.gpc: whatever the
// bytes, one end (notices, then the success or one stop message), the inputs unchanged, no
// output unless the table was taken, and the output whole lines with an item line at least for
// every row not marked deleted.
std::string CheckDbfToAbo(std::string_view table, std::optional<std::string_view> memo);
// The same for one input of the fuzz target: the table, then "##MEMO##" and the memo file; no
// memo file without the separator.
std::string CheckDbfToAbo(std::string_view input);

// CheckAboToDbf, and the table converts back into `abo` byte for byte.
std::string CheckRoundTrip(std::string_view abo);

// Mends any bytes, read as lines of 128, into a statement file that comes back byte for byte:
// "074" or a first byte from 0xF0 makes a header line, "075" or one from 0xE0 an item line;
// numbers (the sequence number too), signs and dates are made valid and amounts the table
// holds, other lines carry no
// 0x1A; lines that would break the statement's structure are left out.
std::string StandardStatementFile(std::string_view bytes);

// CheckRoundTrip of StandardStatementFile(bytes).
std::string CheckMendedRoundTrip(std::string_view bytes);

}  // namespace trelvan::testing
