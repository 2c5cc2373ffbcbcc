// ABO statement file -> statement table and memo file, in one pass.
//
// A header line sets the header part of the record buffer; an item line completes the record
// and appends it; any other line goes into the memo file, attached to the record written last.
#include <cstring>

#include "convert/abo_line_reader.h"
#include "convert/abo_source_check.h"
#include "convert/buffered_io.h"
#include "convert/conversion_notes.h"
#include "convert/conversion_pass.h"
#include "convert/conversions.h"
#include "convert/failure_text.h"
#include "convert/file_prompts.h"
#include "convert/memo_path.h"
#include "convert/messages.h"
#include "convert/output_set.h"
#include "formats/abo_line.h"
#include "formats/memo_file.h"
#include "formats/statement_table.h"

namespace trelvan {
namespace {

struct AboToDbfResult : PassResult {
  std::uint64_t items = 0;
  std::uint64_t statements = 0;  // with at least one item
};

class AboToDbfPass {
 public:
  AboToDbfPass(BufferedReader& abo, BufferedWriter& table, BufferedWriter& memo, Date today,
               std::uint8_t language_driver, ConversionNotes& notes, const StatementSink* listener)
      : lines_(abo),
        table_(table),
        memo_(memo),
        notes_(notes),
        checks_([this, listener](const StatementReport& report) {
          notes_.Statement(report);
          if (listener) (*listener)(report);
        }) {
    header_.written = today;
    header_.language_driver = language_driver;
    header_.header_length = kTableHeaderLength;
    header_.record_length = kRecordLength;
    // Items before any header line get what a blank header line gives.
    char blank[kLineWithEnd];
    std::memset(blank, ' ', sizeof blank);
    EncodeHeaderPart(ReadHeaderLine(blank), record_);
  }

  AboToDbfResult Run() {
    StartFiles();
    char line[kLineWithEnd];
    while (lines_.Next(line)) {
      switch (ClassifyLine(std::string_view(line, kLineWidth))) {
        case LineKind::kHeader: {
          const StatementHeader header = ReadHeaderLine(line);
          if (!EncodeHeaderPart(header, record_)) return Failed();
          checks_.Header(header, lines_.line_number());
          notes_.Line(LineKind::kHeader, lines_);
          break;
        }
        case LineKind::kItem: {
          const StatementItem item = ReadItemLine(line);
          if (!EncodeItemPart(item, record_)) return Failed();
          AppendRecord();
          notes_.Line(LineKind::kItem, lines_);
          checks_.Item(item);
          break;
        }
        case LineKind::kOther:
          FinishLine(line);
          AddMemoLine(line);
          break;
      }
    }
    FinishFiles();
    checks_.Finish();
    notes_.Reading(lines_);
    AboToDbfResult result;
    result.items = header_.record_count;
    result.statements = checks_.statements_with_items();
    return result;
  }

 private:
  // An amount did not fit its field.
  AboToDbfResult Failed() const {
    AboToDbfResult result;
    result.end = PassEnd::kAmountTooLarge;
    result.stopped_at = lines_.line_number();
    return result;
  }

  void StartFiles() {
    char block[kMemoBlockSize] = {};
    EncodeMemoHeader(0, block);
    memo_.Write(block, sizeof block);

    char header[kTableHeaderLength];
    EncodeTableFileHeader(header_, header);
    EncodeFieldDescriptors(header + kFileHeaderSize);
    table_.Write(header, sizeof header);
  }

  void AppendRecord() {
    table_.Write(record_, kRecordLength);
    ++header_.record_count;
    if (memo_open_) CloseMemo();
  }

  void AddMemoLine(const char* line) {
    memo_.Write(line, kLineWithEnd);
    // Other lines before the first record form a memo no record refers to.
    if (!memo_open_ && header_.record_count > 0) {
      char field[kMemoFieldWidth];
      EncodeMemoField(memo_.size() / static_cast<std::int64_t>(kMemoBlockSize), field);
      table_.Overwrite(table_.size() - static_cast<std::int64_t>(kRecordLength - kMemoFieldOffset),
                       field, sizeof field);
    }
    memo_open_ = true;
  }

  void CloseMemo() {
    static constexpr char kTerminator[2] = {kMemoTerminator, kMemoTerminator};
    static constexpr char kZeros[kMemoBlockSize] = {};
    memo_.Write(kTerminator, sizeof kTerminator);
    memo_.Write(kZeros, MemoPadding(memo_.size()));
    memo_open_ = false;
  }

  void FinishFiles() {
    table_.Write(&kTableEndOfFile, 1);
    char header[kFileHeaderSize];
    EncodeTableFileHeader(header_, header);
    table_.Overwrite(0, header, sizeof header);
    if (memo_open_) CloseMemo();
    char memo_header[kMemoHeaderImageSize];
    EncodeMemoHeader(static_cast<std::uint32_t>(memo_.size() / kMemoBlockSize), memo_header);
    memo_.Overwrite(0, memo_header, sizeof memo_header);
  }

  AboLineReader lines_;
  BufferedWriter& table_;
  BufferedWriter& memo_;
  ConversionNotes& notes_;
  StatementChecks checks_;
  TableFileHeader header_;
  char record_[kRecordLength];
  bool memo_open_ = false;
};

}  // namespace

int ConvertAboToDbf(const std::string& aboPath, const std::string& dbfPath,
                    ConversionContext& context) {
  Opened<File> source = context.files.OpenForReading(aboPath);
  if (!source.file) {
    ReportOpenFailure(aboPath, FailureText(source.failure), context);
    return 0;
  }
  File& abo = *source.file;
  try {
    if (!IsAboStatementFile(abo)) {
      context.prompter.Show(MessageStyle::kStop,
                            FillMessage(messages::kNotAboStatement, {aboPath}));
      return 0;
    }
  } catch (const FileError& error) {
    ReportFileError(error, context);
    return 0;
  }
  const std::string memoPath = MemoPathFor(dbfPath);
  if (!OutputsAreOtherFiles({dbfPath, memoPath}, {&abo}, context)) return 0;
  // The table and its memo file are replaced together: the question names the memo file when
  // only the memo file is there.
  const bool only_memo = context.files.Lookup(dbfPath) == EntryKind::kNone &&
                         context.files.Lookup(memoPath) == EntryKind::kFile;
  if (!ConfirmOverwrite(only_memo ? memoPath : dbfPath, context)) return 0;
  OutputSet outputs(context.files);
  ReplacementFile* const table = outputs.Add(dbfPath, context);
  if (table == nullptr) return 0;
  ReplacementFile* const memo = outputs.Add(memoPath, context);
  if (memo == nullptr) return 0;

  BufferedReader abo_in(abo);
  BufferedWriter table_out(*table);
  BufferedWriter memo_out(*memo);
  ConversionNotes notes(aboPath);
  const std::optional<AboToDbfResult> result = RunPass<AboToDbfResult>(
      [&] {
        return AboToDbfPass(abo_in, table_out, memo_out, context.today,
                            context.table_language_driver, notes, context.statements)
            .Run();
      },
      {&table_out, &memo_out}, {&abo}, outputs, context);
  if (!result) return 0;
  if (result->end != PassEnd::kFinished) {
    context.prompter.Show(MessageStyle::kStop, FillMessage(messages::kAmountTooLargeOnLine,
                                                           {std::to_string(result->stopped_at)}));
    return 0;
  }
  notes.ShowWithSuccess(context.prompter, result->items, result->statements);
  return 1;
}

}  // namespace trelvan
