// Statement table and memo file -> ABO statement file, in one pass over the rows: a header line
// wherever the statement's values differ from the row before, an item line for every row that
// is not marked deleted, then the row's other lines from the memo file.
//
// The table is read through its field descriptors, so tables that other programs saved (fields
// reordered, widened or added, numbers right-justified, memo files of dBASE IV or FoxPro) give
// the same statement as the table abo2dbf wrote.
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "convert/buffered_io.h"
#include "convert/conversion_notes.h"
#include "convert/conversion_pass.h"
#include "convert/conversions.h"
#include "convert/failure_text.h"
#include "convert/file_prompts.h"
#include "convert/memo_path.h"
#include "convert/memo_reader.h"
#include "convert/messages.h"
#include "convert/output_set.h"
#include "formats/abo_line.h"
#include "formats/memo_family.h"
#include "formats/statement_row_decoder.h"
#include "formats/statement_table.h"
#include "formats/table_layout.h"

namespace trelvan {
namespace {

struct DbfToAboResult : PassResult {
  std::uint32_t rows_read = 0;  // with a stop, the rows before the one it stopped at
  RowError bad_value;
  std::uint32_t deleted_rows = 0;
  // The first statement whose rows come back after another statement's rows.
  std::optional<std::string> repeated_sequence_number, repeated_account;
  std::uint32_t repeated_at_row = 0;
  std::uint64_t statements = 0;
  std::uint64_t rows_without_memo = 0;   // rows that point into a memo file that did not open
  std::uint64_t rows_with_memo_cut = 0;  // rows whose memo the memo file's end cuts short
};

// A hash of a few hundred bytes, eight at a time.
std::uint64_t HashBytes(std::string_view bytes) {
  std::uint64_t hash = bytes.size();
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
    hash ^= hash >> 29;
  }
  for (; i < bytes.size(); ++i)
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3u;
  return hash ^ (hash >> 32);
}

// A CR or LF in a table's text (a note typed over two lines in a spreadsheet) would cut the
// statement line in two for every reader: it is written as a space. Eight bytes at a time.
void BlankLineEnds(char* line) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  const auto has_byte = [](std::uint64_t word, std::uint64_t repeated) {
    const std::uint64_t x = word ^ repeated;
    return ((x - kOnes) & ~x & kHighs) != 0;
  };
  for (std::size_t at = 0; at < kLineWidth; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, line + at, 8);
    if (!has_byte(word, kOnes * '\r') && !has_byte(word, kOnes * '\n')) continue;
    for (std::size_t i = at; i < at + 8; ++i) {
      if (line[i] == '\r' || line[i] == '\n') line[i] = ' ';
    }
  }
}

// The header lines of recent statements by the bytes of their header fields, each with the
// header read back from the line. Rows sorted by another program switch between the file's
// statements all the time; each switch then costs a look-up instead of decoding and formatting
// the header again. Enough entries for a year of daily statements of a few accounts.
class HeaderLineCache {
 public:
  struct Entry {
    std::string key;
    char line[kLineWithEnd];
    StatementHeader header;  // views into `line`
  };
  HeaderLineCache() : entries_(kSize) {}
  // The entry for `key`: its line when entry.key == key, else a slot to fill.
  Entry& Find(std::string_view key) { return entries_[HashBytes(key) % kSize]; }

 private:
  static constexpr std::size_t kSize = 1024;
  std::vector<Entry> entries_;  // never resized: headers point into their lines
};

class DbfToAboPass {
 public:
  DbfToAboPass(BufferedReader& table, MemoReader* memo, BufferedWriter& abo,
               const TableFileHeader& header, const StatementLayout& layout, ConversionNotes& notes,
               const StatementSink* listener)
      : checks_([&notes, listener](const StatementReport& report) {
          notes.Statement(report);
          if (listener) (*listener)(report);
        }),
        table_(table),
        memo_(memo),
        abo_(abo),
        header_(header),
        decoder_(layout),
        record_(header.record_length, '\0') {}

  DbfToAboResult Run() {
    table_.SeekTo(header_.header_length);
    for (; result_.rows_read < header_.record_count; ++result_.rows_read) {
      if (table_.Read(record_.data(), record_.size()) < record_.size()) {
        result_.end = PassEnd::kTableCutShort;
        break;
      }
      if (record_[0] == '*') {
        ++result_.deleted_rows;
        continue;
      }
      result_.end = ConvertRow();
      if (result_.end != PassEnd::kFinished) break;
    }
    if (result_.end != PassEnd::kFinished) result_.stopped_at = result_.rows_read + 1;
    checks_.Finish();
    result_.statements = checks_.statements_with_items();
    return result_;
  }

 private:
  PassEnd ConvertRow() {
    const char* record = record_.data();
    char line[kLineWithEnd];
    // Rows whose header fields hold the same bytes continue the statement; the first row is
    // compared with zero bytes.
    const std::string_view key = decoder_.HeaderKey(record);
    if (last_key_.size() != key.size()) last_key_.assign(key.size(), '\0');
    if (key != last_key_) {
      last_key_.assign(key.data(), key.size());
      HeaderLineCache::Entry& cached = header_lines_.Find(key);
      if (cached.key != key) {
        StatementHeader header;
        if ((result_.bad_value = decoder_.DecodeHeader(record, header))) return PassEnd::kBadValue;
        cached.key.clear();
        if (!WriteHeaderLine(header, cached.line)) return PassEnd::kAmountTooLarge;
        BlankLineEnds(cached.line);
        cached.header = ReadHeaderLine(cached.line);
        cached.key.assign(key.data(), key.size());
      }
      // Other programs rewrite the bytes of a value ("47" for "047", "12.5" for "12.50"): a
      // new statement begins only where the values differ.
      if (std::memcmp(cached.line, last_header_line_, kLineWidth) != 0) {
        std::memcpy(last_header_line_, cached.line, kLineWidth);
        abo_.Write(cached.line, kLineWithEnd);
        const std::string_view line(cached.line, kLineWidth);
        if (checks_.Continue(line, cached.header, result_.rows_read + 1)) NoteRepeat(line);
      }
    }
    StatementItem item;
    if ((result_.bad_value = decoder_.DecodeItem(record, item))) return PassEnd::kBadValue;
    if (!WriteItemLine(decoder_.OwnAccount(record), item, line)) return PassEnd::kAmountTooLarge;
    BlankLineEnds(line);
    abo_.Write(line, sizeof line);
    checks_.Item(item);

    const std::int64_t block = decoder_.MemoBlock(record);
    if (block > 0 && memo_ == nullptr) ++result_.rows_without_memo;
    if (block > 0 && memo_ != nullptr && !memo_->CopyLines(block, abo_)) {
      ++result_.rows_with_memo_cut;
    }
    return PassEnd::kFinished;
  }

  // Remembers the first statement that comes back after another one.
  void NoteRepeat(std::string_view header_line) {
    if (result_.repeated_sequence_number) return;
    const auto field = [header_line](const LineField& at) {
      return std::string(header_line.substr(at.position - 1, at.width));
    };
    result_.repeated_sequence_number = field(header_line::kSequenceNumber);
    result_.repeated_account = field(header_line::kAccount);
    while (!result_.repeated_account->empty() && result_.repeated_account->back() == ' ') {
      result_.repeated_account->pop_back();
    }
    result_.repeated_at_row = result_.rows_read + 1;
  }

  StatementChecks checks_;
  BufferedReader& table_;
  MemoReader* memo_;
  BufferedWriter& abo_;
  TableFileHeader header_;
  StatementRowDecoder decoder_;
  std::vector<char> record_;
  std::string last_key_;
  char last_header_line_[kLineWidth] = {};
  HeaderLineCache header_lines_;
  DbfToAboResult result_;
};

// FoxPro keeps memos in X.fpt beside X.dbf; the letters keep the case of the .dbt name.
std::string FoxProMemoPath(std::string dbt_path) {
  for (std::size_t i = dbt_path.size() >= 3 ? dbt_path.size() - 3 : 0; i < dbt_path.size(); ++i) {
    char& c = dbt_path[i];
    if (c == 'd' || c == 'D') c = static_cast<char>(c + ('f' - 'd'));
    if (c == 'b' || c == 'B') c = static_cast<char>(c + ('p' - 'b'));
  }
  return dbt_path;
}

// Reads the table's header and descriptors. Shows the stop message and returns nothing when
// the file is no statement table; a file of 0 bytes is an empty table.
std::optional<StatementLayout> ReadLayout(const std::string& dbfPath, BufferedReader& in,
                                          TableFileHeader& header, ConversionContext& context) {
  std::string image(kFileHeaderSize, '\0');
  if (in.Read(image.data(), kFileHeaderSize) == 0) {
    header = TableFileHeader{};
    return StandardStatementLayout();
  }
  header = DecodeTableFileHeader(image.data());
  if (header.header_length > kFileHeaderSize) {
    image.resize(header.header_length);
    image.resize(kFileHeaderSize +
                 in.Read(&image[kFileHeaderSize], header.header_length - kFileHeaderSize));
  }
  const LayoutReading reading = ReadStatementLayout(header, image);
  switch (reading.status) {
    case LayoutStatus::kReadable:
      return reading.layout;
    case LayoutStatus::kNotATable:
      context.prompter.Show(MessageStyle::kStop,
                            FillMessage(messages::kNotAStatementTable, {dbfPath}));
      return std::nullopt;
    case LayoutStatus::kMissingField:
      context.prompter.Show(
          MessageStyle::kStop,
          FillMessage(messages::kTableLacksField,
                      {dbfPath, StatementFieldTable[reading.missing_field].name}));
      return std::nullopt;
  }
  return std::nullopt;
}

// Tells the memo family from the memo file's header block; nothing when it is none of them.
std::optional<MemoFormat> ReadMemoFormat(File& memo, std::uint8_t table_version) {
  const std::int64_t size = memo.Seek(0, SeekOrigin::kEnd);
  memo.Seek(0, SeekOrigin::kBegin);
  std::string header(kMemoFileHeaderSize, '\0');
  std::size_t got = 0;
  while (got < header.size()) {
    const std::size_t n = memo.Read(&header[got], header.size() - got);
    if (n == 0) break;
    got += n;
  }
  header.resize(got);
  return RecognizeMemoFile(table_version, header, size);
}

void NoteEnd(const DbfToAboResult& result, const std::string& memoPath, ConversionNotes& notes) {
  if (result.deleted_rows > 0) {
    notes.Inform(FillMessage(messages::kDeletedRowsLeftOut, {std::to_string(result.deleted_rows)}));
  }
  if (result.repeated_sequence_number) {
    notes.Inform(FillMessage(messages::kStatementRepeats,
                             {*result.repeated_sequence_number, *result.repeated_account,
                              std::to_string(result.repeated_at_row)}));
  }
  if (result.rows_without_memo > 0) {
    notes.Warn(
        FillMessage(messages::kMemoRowsLost, {memoPath, std::to_string(result.rows_without_memo)}));
  }
  if (result.rows_with_memo_cut > 0) {
    notes.Warn(
        FillMessage(messages::kMemoRowsCut, {memoPath, std::to_string(result.rows_with_memo_cut)}));
  }
}

std::string TrimmedCopy(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

// Opens the memo file beside the table, when there is one, and tells its family. Returns false,
// having shown why, when the conversion cannot go on; a missing memo file is only mentioned.
// Another program may have named the memo file in the other case.
bool OpenMemo(const std::string& dbfPath, std::uint8_t table_version, ConversionContext& context,
              std::string& memoPath, std::unique_ptr<File>& memo,
              std::optional<MemoFormat>& memo_format) {
  memoPath = MemoPathFor(dbfPath);
  if (HasFoxProMemo(table_version)) memoPath = FoxProMemoPath(memoPath);
  Opened<File> opened = context.files.OpenForReading(memoPath);
  if (!opened.file && opened.failure.problem == FileProblem::kNotFound) {
    Opened<File> other_case = context.files.OpenForReading(OtherCaseMemoPath(memoPath));
    if (other_case.file) opened = std::move(other_case);
  }
  memo = std::move(opened.file);
  if (!memo) {
    context.prompter.Show(
        MessageStyle::kInformation,
        FillMessage(messages::kCannotOpenFileBecause, {memoPath, FailureText(opened.failure)}));
    return true;
  }
  memoPath = memo->path();  // the name in the other case, when that one opened
  try {
    memo_format = ReadMemoFormat(*memo, table_version);
  } catch (const FileError& error) {
    ReportFileError(error, context);
    return false;
  }
  if (!memo_format) {
    context.prompter.Show(MessageStyle::kStop,
                          FillMessage(messages::kNotAMemoFile, {memo->path()}));
    return false;
  }
  return true;
}

// Shows how the pass ended; returns the conversion's result.
int ShowPassEnd(const DbfToAboResult& result, const std::string& dbfPath,
                const TableFileHeader& header, ConversionNotes& notes, const std::string& memoPath,
                ConversionContext& context) {
  const std::string row = std::to_string(result.stopped_at);
  switch (result.end) {
    case PassEnd::kFinished:
      NoteEnd(result, memoPath, notes);
      notes.ShowWithSuccess(context.prompter, result.rows_read - result.deleted_rows,
                            result.statements);
      return 1;
    case PassEnd::kAmountTooLarge:
      context.prompter.Show(MessageStyle::kStop,
                            FillMessage(messages::kAmountTooLargeInRecord, {row}));
      return 0;
    case PassEnd::kBadValue: {
      const std::string value = TrimmedCopy(result.bad_value.value);
      const std::string_view field = DescriptionOf(result.bad_value.field).name;
      if (result.bad_value.problem == RowProblem::kNotANumber) {
        context.prompter.Show(MessageStyle::kStop,
                              FillMessage(messages::kValueNotANumber, {value, field, row}));
      } else {
        const std::string width = std::to_string(DescriptionOf(result.bad_value.field).length);
        context.prompter.Show(MessageStyle::kStop,
                              FillMessage(messages::kValueTooLong, {value, field, row, width}));
      }
      return 0;
    }
    case PassEnd::kTableCutShort:
      context.prompter.Show(
          MessageStyle::kStop,
          FillMessage(messages::kTableIncomplete,
                      {dbfPath, std::to_string(result.rows_read - result.deleted_rows),
                       std::to_string(header.record_count)}));
      return 0;
  }
  return 0;
}

}  // namespace

int ConvertDbfToAbo(const std::string& dbfPath, const std::string& aboPath,
                    ConversionContext& context) {
  Opened<File> source = context.files.OpenForReading(dbfPath);
  if (!source.file) {
    ReportOpenFailure(dbfPath, FailureText(source.failure), context);
    return 0;
  }
  File* const table = source.file.get();
  BufferedReader table_in(*table);
  TableFileHeader header;
  std::optional<StatementLayout> layout;
  try {
    layout = ReadLayout(dbfPath, table_in, header, context);
  } catch (const FileError& error) {
    ReportFileError(error, context);
    return 0;
  }
  if (!layout) return 0;

  std::string memoPath;
  std::unique_ptr<File> memo;
  std::optional<MemoFormat> memo_format;
  if (!OpenMemo(dbfPath, header.version, context, memoPath, memo, memo_format)) return 0;
  if (!OutputsAreOtherFiles({aboPath}, {table, memo.get()}, context)) return 0;
  if (!ConfirmOverwrite(aboPath, context)) return 0;
  OutputSet outputs(context.files);
  ReplacementFile* const abo = outputs.Add(aboPath, context);
  if (abo == nullptr) return 0;

  std::optional<MemoReader> memo_in;
  if (memo) memo_in.emplace(*memo, *memo_format);
  BufferedWriter abo_out(*abo);
  ConversionNotes notes(dbfPath);
  const std::optional<DbfToAboResult> result = RunPass<DbfToAboResult>(
      [&] {
        return DbfToAboPass(table_in, memo_in ? &*memo_in : nullptr, abo_out, header, *layout,
                            notes, context.statements)
            .Run();
      },
      {&abo_out}, {memo.get(), table}, outputs, context);
  if (!result) return 0;
  return ShowPassEnd(*result, dbfPath, header, notes, memoPath, context);
}

}  // namespace trelvan
