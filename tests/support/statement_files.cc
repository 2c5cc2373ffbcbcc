#include "tests/support/statement_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/session.h"

namespace trelvan::testing {
namespace {

const TestField& FieldNamed(std::string_view name) {
  for (const TestField& field : kFields) {
    if (field.name == name) return field;
  }
  throw std::invalid_argument("no field " + std::string(name));
}

}  // namespace

std::string Le16(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

std::size_t OffsetOf(std::string_view name) {
  const TestField* const named = &FieldNamed(name);
  std::size_t offset = 1;
  for (const TestField* field = kFields; field != named; ++field) offset += field->width;
  return offset;
}

std::string Line(std::string_view text) {
  if (text.size() > 128) throw std::invalid_argument("line longer than 128 characters");
  return std::string(text) + std::string(128 - text.size(), ' ') + "\r\n";
}

std::string HeaderLine(std::string_view sequence, const Balances& b, std::string_view account,
                       std::string_view name) {
  const auto sign = [](std::int64_t v) { return v < 0 ? '-' : '+'; };
  char text[160];
  std::snprintf(text, sizeof text,
                "074%-16.16s%-20.20s301126%014lld%c%014lld%c%014lld%c%014lld%c%-3.3s011226",
                std::string(account).c_str(), std::string(name).c_str(), std::llabs(b.previous),
                sign(b.previous), std::llabs(b.next), sign(b.next), std::llabs(b.debit),
                sign(b.debit), std::llabs(b.credit), sign(b.credit), std::string(sequence).c_str());
  return Line(text);
}

std::string ItemLine(char code, std::int64_t amount, std::string_view note) {
  char text[160];
  std::snprintf(text, sizeof text,
                "0750000001234567890000000001928374600000000000010%011lld%c2026110001"
                "0308                011226%-20.20s01203011226",
                static_cast<long long>(amount), code, std::string(note).c_str());
  return Line(text);
}

Record::Record(std::string_view texts) : Record() {
  for (const TestField& field : kFields) {
    const std::size_t end = std::min(texts.find('|'), texts.size());
    Set(field.name, texts.substr(0, end));
    texts.remove_prefix(std::min(end + 1, texts.size()));
  }
}

Record& Record::Set(std::string_view name, std::string_view text) {
  const TestField& field = FieldNamed(name);
  if (text.size() > field.width) throw std::invalid_argument("too long for " + std::string(name));
  const std::string pad(field.width - text.size(), ' ');
  const bool right = field.type == 'N' || field.type == 'M';
  return Raw(OffsetOf(name), right ? pad + std::string(text) : std::string(text) + pad);
}

Record& Record::Raw(std::size_t offset, std::string_view bytes) {
  bytes_.replace(offset, bytes.size(), bytes);
  return *this;
}

std::string TableFile(const std::vector<std::string>& records, std::uint16_t header_length) {
  std::string file = {'\x83', static_cast<char>(kTestDate.year % 100),
                      static_cast<char>(kTestDate.month), static_cast<char>(kTestDate.day)};
  file += Le32(static_cast<std::uint32_t>(records.size())) + Le16(header_length) +
          Le16(kRecordBytes) + std::string(20, '\0');
  if (header_length == kTableHeaderBytes) {
    for (const TestField& field : kFields) {
      std::string descriptor(32, '\0');
      descriptor.replace(0, field.name.size(), field.name);
      descriptor[11] = field.type;
      descriptor.replace(12, 4, Le32(static_cast<std::uint32_t>(OffsetOf(field.name))));
      descriptor[16] = static_cast<char>(field.width);
      descriptor[17] = static_cast<char>(field.decimals);
      file += descriptor;
    }
    file += '\x0D';
  } else {
    file.resize(header_length, '\0');
  }
  for (const std::string& record : records) file += record;
  return file + '\x1A';
}

MemoFile::MemoFile() : bytes_(512, '\0') {
  bytes_.replace(0, 4, Le32(1));
  bytes_[16] = 0x03;
}

std::int64_t MemoFile::Add(const std::vector<std::string>& lines) {
  const auto block = static_cast<std::int64_t>(bytes_.size() / 512);
  for (const std::string& line : lines) bytes_ += line;
  bytes_ += "\x1A\x1A";
  bytes_.resize((bytes_.size() + 511) / 512 * 512, '\0');
  bytes_.replace(0, 4, Le32(static_cast<std::uint32_t>(bytes_.size() / 512)));
  return block;
}

std::string PseudoRandomBytes(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245 + 12345) >> 23);
  return bytes;
}

}  // namespace trelvan::testing
