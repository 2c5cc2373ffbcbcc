// How a table's records are laid out, read from its header: the version byte, the field
// descriptors and the record length. Tables that other programs wrote or edited keep the
// statement fields but may reorder, widen or add fields, so each statement field is found by
// name and placed at the offset that the lengths of the fields before it give (programs often
// leave the descriptors' own offset bytes 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/statement_table.h"

namespace trelvan {

// Where one statement field stands in a record.
struct FieldSlot {
  std::size_t offset = 0;  // the deletion flag is offset 0
  std::size_t width = 0;
  char type = 'C';
};

struct StatementLayout {
  FieldSlot slots[kFieldCount];
  bool standard = false;  // exactly the 22 descriptors abo2dbf writes
};

enum class LayoutStatus {
  kReadable,
  kNotATable,     // no dBASE table header: unknown version, no 0x0D end, record too short
  kMissingField,  // a statement field is absent or of a type its value cannot be read from
};

struct LayoutReading {
  LayoutStatus status = LayoutStatus::kNotATable;
  StatementLayout layout;
  int missing_field = -1;  // a Field, with kMissingField
};

// Table families by their version byte.
bool IsKnownTableVersion(std::uint8_t version);
bool IsVisualFoxProTable(std::uint8_t version);  // 263-byte backlink after the descriptors
bool HasFoxProMemo(std::uint8_t version);        // memo file .fpt rather than .dbt
bool HasDbase4Memo(std::uint8_t version);

// The 22 fields at the offsets abo2dbf writes them.
StatementLayout StandardStatementLayout();

// Reads the layout from the whole table header (header_length bytes from offset 0; `header`
// may be shorter when the file is, which makes it no table).
LayoutReading ReadStatementLayout(const TableFileHeader& file_header, std::string_view header);

}  // namespace trelvan
