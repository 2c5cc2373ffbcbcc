// Statement table and memo file -> ABO statement file, in one pass over the rows: a header line
// wherever the header part of a row differs from the row before, an item line for every row,
// then the row's other lines from the memo file.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "convert/buffered_io.h"
#include "convert/conversions.h"
#include "convert/messages.h"
#include "convert/shared_steps.h"
#include "formats/abo_line.h"
#include "formats/memo_file.h"
#include "formats/statement_table.h"

namespace trelvan {
namespace {

void ShowFileError(const FileError& error, ConversionContext& context) {
  context.prompter.Show(MessageStyle::kStop,
                        FillMessage(messages::kFileError, {error.path(), error.reason()}));
}

enum class PassEnd { kFinished, kAmountTooLarge, kTableCutShort };

struct PassResult {
  PassEnd end = PassEnd::kFinished;
  std::uint32_t rows_converted = 0;
};

class DbfToAboPass {
 public:
  DbfToAboPass(BufferedReader& table, BufferedReader* memo, BufferedWriter& abo,
               const TableFileHeader& header)
      : table_(table),
        memo_(memo),
        abo_(abo),
        header_(header),
        // Longer records are read whole; the fields are taken from their fixed offsets.
        record_(std::max<std::size_t>(header.record_length, kRecordLength), '\0') {}

  PassResult Run() {
    table_.SeekTo(header_.header_length);
    PassResult result;
    for (; result.rows_converted < header_.record_count; ++result.rows_converted) {
      if (table_.Read(record_.data(), header_.record_length) < header_.record_length) {
        result.end = PassEnd::kTableCutShort;
        return result;
      }
      if (!ConvertRow()) {
        result.end = PassEnd::kAmountTooLarge;
        return result;
      }
    }
    return result;
  }

 private:
  bool ConvertRow() {
    const char* record = record_.data();
    char line[kLineWithEnd];
    // A new statement begins wherever the header part changes; the first row is compared
    // with zero bytes.
    if (std::memcmp(record + kHeaderPartBegin, last_header_part_, kHeaderPartLength) != 0) {
      std::memcpy(last_header_part_, record + kHeaderPartBegin, kHeaderPartLength);
      if (!WriteHeaderLine(DecodeHeaderPart(record), line)) return false;
      abo_.Write(line, sizeof line);
    }
    const std::string_view own_account(record + FieldOffset(kCustAccnt),
                                       StatementFieldTable[kCustAccnt].length);
    if (!WriteItemLine(own_account, DecodeItemPart(record), line)) return false;
    abo_.Write(line, sizeof line);

    const std::int64_t block = DecodeMemoBlock(record);
    if (block > 0 && memo_ != nullptr) CopyMemo(block);
    return true;
  }

  // Copies the memo's 130-byte pieces up to the one that starts with its 0x1A bytes.
  void CopyMemo(std::int64_t block) {
    memo_->SeekTo(block * static_cast<std::int64_t>(kMemoBlockSize));
    char piece[kLineWithEnd];
    for (;;) {
      const std::size_t got = memo_->Read(piece, sizeof piece);
      if (got == 0 || EndsMemo(piece, got)) return;
      abo_.Write(piece, got);
      if (got < sizeof piece) return;
    }
  }

  BufferedReader& table_;
  BufferedReader* memo_;
  BufferedWriter& abo_;
  TableFileHeader header_;
  std::vector<char> record_;
  char last_header_part_[kHeaderPartLength] = {};
};

}  // namespace

int ConvertDbfToAbo(const std::string& dbfPath, const std::string& aboPath,
                    ConversionContext& context) {
  const std::unique_ptr<File> table = context.files.OpenForReading(dbfPath);
  if (!table) {
    ReportOpenFailure(dbfPath, context);
    return 0;
  }
  BufferedReader table_in(*table);
  TableFileHeader header;
  try {
    char image[kFileHeaderSize] = {};
    table_in.Read(image, sizeof image);
    header = DecodeTableFileHeader(image);
  } catch (const FileError& error) {
    ShowFileError(error, context);
    return 0;
  }
  // Every field lies within the first 233 bytes of a record; a shorter record is no row of ours.
  if (header.record_count > 0 && header.record_length < kRecordLength) {
    context.prompter.Show(MessageStyle::kStop,
                          FillMessage(messages::kNotAStatementTable, {dbfPath}));
    return 0;
  }

  const std::string memoPath = MemoPathFor(dbfPath);
  const std::unique_ptr<File> memo = context.files.OpenForReading(memoPath);
  if (!memo) {
    context.prompter.Show(MessageStyle::kInformation,
                          FillMessage(messages::kCannotOpenFile, {memoPath}));
  }
  if (!ConfirmOverwrite(aboPath, context)) return 0;
  std::vector<const File*> open_files{table.get()};
  if (memo) open_files.push_back(memo.get());
  const std::unique_ptr<File> abo = context.files.CreateForWriting(aboPath, open_files);
  if (!abo) {
    ReportOpenFailure(aboPath, context);
    return 0;
  }

  std::optional<BufferedReader> memo_in;
  if (memo) memo_in.emplace(*memo);
  BufferedWriter abo_out(*abo);
  PassResult result;
  try {
    DbfToAboPass pass(table_in, memo_in ? &*memo_in : nullptr, abo_out, header);
    result = pass.Run();
    abo_out.Flush();
    abo->Close();
    if (memo) memo->Close();
    table->Close();
  } catch (const FileError& error) {
    abo_out.FlushQuietly();
    ShowFileError(error, context);
    return 0;
  }
  switch (result.end) {
    case PassEnd::kFinished:
      context.prompter.Show(MessageStyle::kPlain, messages::kConversionSucceeded);
      return 1;
    case PassEnd::kAmountTooLarge:
      context.prompter.Show(MessageStyle::kStop,
                            FillMessage(messages::kAmountTooLargeInRecord,
                                        {std::to_string(result.rows_converted + 1)}));
      return 0;
    case PassEnd::kTableCutShort:
      context.prompter.Show(
          MessageStyle::kStop,
          FillMessage(messages::kTableIncomplete, {dbfPath, std::to_string(result.rows_converted),
                                                   std::to_string(header.record_count)}));
      return 0;
  }
  return 0;
}

}  // namespace trelvan
