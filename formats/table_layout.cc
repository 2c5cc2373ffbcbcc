#include "formats/table_layout.h"

#include <cstring>

namespace trelvan {
namespace {

constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kVisualFoxProBacklink = 263;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A descriptor's name ends at its first NUL byte; names compare without regard to case.
bool NameIs(const char* descriptor, std::string_view name) {
  std::size_t length = 0;
  while (length < 11 && descriptor[length] != '\0') ++length;
  if (length != name.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (UpperAscii(descriptor[i]) != name[i]) return false;
  }
  return true;
}

bool IsOneOf(char type, const char* types) { return std::strchr(types, type) != nullptr; }

// Whether the statement's value can be read from a field of this type and width.
bool IsUsable(int field, const FieldSlot& slot) {
  switch (StatementFieldTable[field].type) {
    case 'D':
      return IsOneOf(slot.type, "DC") && slot.width == 8;
    case 'M':  // block number as ten characters, or binary in four bytes (Visual FoxPro)
      return slot.type == 'M' && slot.width > 0;
    case 'N':  // amounts and ORDER_NO are read from their text
      return IsOneOf(slot.type, "NFC") && slot.width > 0;
    default:
      return slot.type == 'C';
  }
}

}  // namespace

bool IsKnownTableVersion(std::uint8_t version) {
  switch (version) {
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x05:  // FoxBASE, dBASE III to V without memo
    case 0x30:
    case 0x31:
    case 0x32:  // Visual FoxPro
    case 0x43:
    case 0x63:
    case 0x83:
    case 0x8B:
    case 0x8E:
    case 0xCB:  // dBASE with memo
    case 0xF5:
    case 0xFB:  // FoxPro with memo
      return true;
    default:
      return false;
  }
}

bool IsVisualFoxProTable(std::uint8_t version) { return version >= 0x30 && version <= 0x32; }

bool HasFoxProMemo(std::uint8_t version) {
  return IsVisualFoxProTable(version) || version == 0xF5 || version == 0xFB;
}

bool HasDbase4Memo(std::uint8_t version) { return version == 0x8B || version == 0xCB; }

StatementLayout StandardStatementLayout() {
  StatementLayout layout;
  for (int field = 0; field < kFieldCount; ++field) {
    const FieldDescription& description = StatementFieldTable[field];
    layout.slots[field] =
        FieldSlot{FieldOffset(static_cast<Field>(field)), description.length, description.type};
  }
  layout.standard = true;
  return layout;
}

LayoutReading ReadStatementLayout(const TableFileHeader& file_header, std::string_view header) {
  LayoutReading reading;
  const std::size_t header_length = file_header.header_length;
  const std::size_t backlink = IsVisualFoxProTable(file_header.version) ? kVisualFoxProBacklink : 0;
  if (!IsKnownTableVersion(file_header.version) || header.size() < header_length ||
      header_length < kFileHeaderSize + 1 + backlink ||
      (header_length - backlink) % kDescriptorSize != 1 ||
      header[header_length - backlink - 1] != kHeaderTerminator) {
    return reading;
  }
  const std::size_t descriptor_count = (header_length - backlink - 1) / kDescriptorSize - 1;

  bool found[kFieldCount] = {};
  std::size_t offset = 1;
  for (std::size_t i = 0; i < descriptor_count; ++i) {
    const char* descriptor = header.data() + kFileHeaderSize + kDescriptorSize * i;
    FieldSlot slot;
    slot.offset = offset;
    slot.type = UpperAscii(descriptor[11]);
    slot.width = static_cast<unsigned char>(descriptor[16]);
    offset += slot.width;
    for (int field = 0; field < kFieldCount; ++field) {
      if (!found[field] && NameIs(descriptor, StatementFieldTable[field].name)) {
        found[field] = true;
        reading.layout.slots[field] = slot;
        break;
      }
    }
  }
  if (file_header.record_length < offset) return reading;

  reading.layout.standard = descriptor_count == kFieldCount;
  for (int field = 0; field < kFieldCount; ++field) {
    const FieldSlot& slot = reading.layout.slots[field];
    if (!found[field] || !IsUsable(field, slot)) {
      reading.status = LayoutStatus::kMissingField;
      reading.missing_field = field;
      return reading;
    }
    reading.layout.standard = reading.layout.standard &&
                              slot.offset == FieldOffset(static_cast<Field>(field)) &&
                              slot.width == StatementFieldTable[field].length &&
                              slot.type == StatementFieldTable[field].type;
  }
  reading.status = LayoutStatus::kReadable;
  return reading;
}

}  // namespace trelvan
