// Builds statement tables and memo files byte by byte for tests, from the layout written out
// here once more, so that a test does not rely on the encoders it checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trelvan::testing {

struct FieldSlot {
  std::string_view name;
  char type;
  std::size_t offset;  // within the record; the deletion flag is offset 0
  std::size_t width;
};

inline constexpr FieldSlot kFieldSlots[] = {
    {"CUST_ACCNT", 'C', 1, 16},  {"CUST_NAME", 'C', 17, 20}, {"REST_PR_DT", 'D', 37, 8},
    {"REST_PREV", 'N', 45, 14},  {"REST_NEW", 'N', 59, 14},  {"DEBET_MD", 'N', 73, 14},
    {"CREDIT_D", 'N', 87, 14},   {"ORDER_NO", 'N', 101, 3},  {"ISSUE_DATE", 'D', 104, 8},
    {"PROTIUCET", 'C', 112, 16}, {"DOC_NO", 'C', 128, 13},   {"PRICE", 'N', 141, 12},
    {"CODE", 'C', 153, 1},       {"V_SYMBOL", 'C', 154, 10}, {"K_SYMBOL", 'C', 164, 10},
    {"S_SYMBOL", 'C', 174, 10},  {"VALUTA", 'C', 184, 6},    {"NOTE", 'C', 190, 20},
    {"CODE_CHAN", 'C', 210, 1},  {"DATA_TYPE", 'C', 211, 4}, {"DUE_DATE", 'D', 215, 8},
    {"OTHER_LN", 'M', 223, 10},
};

inline const FieldSlot& SlotOf(std::string_view name) {
  for (const FieldSlot& slot : kFieldSlots) {
    if (slot.name == name) return slot;
  }
  throw std::invalid_argument("no field " + std::string(name));
}

// A record image: deletion flag " " and every field blank unless set.
class RecordImage {
 public:
  explicit RecordImage(std::size_t length = 233) : bytes_(length, ' ') {}

  // Puts `text` into a field as a table program would: numbers and memo block numbers
  // right-justified, everything else left-justified; padded with spaces to the width.
  RecordImage& Set(std::string_view name, std::string_view text) {
    const FieldSlot& slot = SlotOf(name);
    if (text.size() > slot.width)
      throw std::invalid_argument("too long for " + std::string(slot.name));
    const std::size_t pad = slot.width - text.size();
    const bool right = slot.type == 'N' || slot.type == 'M';
    std::string field = right ? std::string(pad, ' ') + std::string(text)
                              : std::string(text) + std::string(pad, ' ');
    return Raw(slot.offset, field);
  }
  // Puts bytes at a record offset, unchanged.
  RecordImage& Raw(std::size_t offset, std::string_view bytes) {
    bytes_.replace(offset, bytes.size(), bytes);
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

inline std::string Le16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
inline std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// What the table header tells; the defaults are those of the statement table.
struct TableShape {
  std::int64_t record_count = -1;  // -1: the number of records given
  std::uint16_t header_length = 737;
  std::uint16_t record_length = 233;
};

// A table file: the 32-byte header, the 22 descriptors and 0x0D (or zero bytes up to a header
// length other than 737), the records, 0x1A.
inline std::string TableFile(const std::vector<RecordImage>& records, TableShape shape = {}) {
  const auto count = static_cast<std::uint32_t>(
      shape.record_count < 0 ? static_cast<std::int64_t>(records.size()) : shape.record_count);
  std::string file = std::string("\x83\x1A\x0B\x1E", 4) + Le32(count) + Le16(shape.header_length) +
                     Le16(shape.record_length) + std::string(20, '\0');
  if (shape.header_length == 737) {
    for (const FieldSlot& slot : kFieldSlots) {
      std::string descriptor(32, '\0');
      descriptor.replace(0, slot.name.size(), slot.name);
      descriptor[11] = slot.type;
      descriptor.replace(12, 4, Le32(static_cast<std::uint32_t>(slot.offset)));
      descriptor[16] = static_cast<char>(slot.width);
      descriptor[17] = static_cast<char>(slot.type == 'N' && slot.width > 3 ? 2 : 0);
      file += descriptor;
    }
    file += '\x0D';
  } else {
    file.resize(shape.header_length, '\0');
  }
  for (const RecordImage& record : records) file += record.bytes();
  return file + '\x1A';
}

// One line of an ABO statement file: `text` padded with spaces to 128 characters, then CR LF.
inline std::string Line(std::string_view text) {
  if (text.size() > 128) throw std::invalid_argument("line longer than 128 characters");
  return std::string(text) + std::string(128 - text.size(), ' ') + "\r\n";
}

// A memo file: header block, then each memo from a block boundary, closed by two 0x1A bytes
// and padded with zero bytes to the next block.
class MemoImage {
 public:
  MemoImage() : bytes_(512, '\0') { bytes_[16] = 0x03; }

  // Appends a memo of whole lines (each as given, normally from Line()); returns its block.
  std::int64_t Add(const std::vector<std::string>& lines) {
    const auto block = static_cast<std::int64_t>(bytes_.size() / 512);
    for (const std::string& line : lines) bytes_ += line;
    bytes_ += "\x1A\x1A";
    if (bytes_.size() % 512 != 0) bytes_.resize(bytes_.size() + 512 - bytes_.size() % 512, '\0');
    bytes_.replace(0, 4, Le32(static_cast<std::uint32_t>(bytes_.size() / 512)));
    return block;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace trelvan::testing
