#include "convert/statement_file_check.h"

#include <memory>

#include "convert/abo_line_reader.h"
#include "convert/buffered_io.h"
#include "convert/conversion_notes.h"
#include "convert/conversions.h"
#include "convert/failure_text.h"
#include "convert/file_prompts.h"
#include "convert/messages.h"

namespace trelvan {
namespace {

// The statement file a table check writes: it is never created.
constexpr char kNowhere[] = "\x01trelvan-check.gpc";

// Keeps only the length of what is written, and is never put anywhere.
class DiscardingFile : public ReplacementFile {
 public:
  explicit DiscardingFile(std::string path) : path_(std::move(path)) {}
  std::size_t Read(void*, std::size_t) override { return 0; }
  void Write(const void*, std::size_t n) override { size_ += static_cast<std::int64_t>(n); }
  std::int64_t Seek(std::int64_t, SeekOrigin) override { return size_; }
  void Close() override {}
  void Finish() override {}
  void Install(bool) override {}
  void Restore() noexcept override {}
  const std::string& path() const override { return path_; }
  FileId id() const override { return FileId{~std::uint64_t{0} - 1, 0}; }

 private:
  std::string path_;
  std::int64_t size_ = 0;
};

// Reads through the real files; writes nowhere.
class DryRunFileSystem : public FileSystem {
 public:
  explicit DryRunFileSystem(FileSystem& files) : files_(files) {}
  Opened<File> OpenForReading(const std::string& path) override {
    return files_.OpenForReading(path);
  }
  Opened<ReplacementFile> CreateReplacement(const std::string& path) override {
    return {std::make_unique<DiscardingFile>(path), {}};
  }
  EntryKind Lookup(const std::string& path) override {
    return path == kNowhere ? EntryKind::kNone : files_.Lookup(path);
  }
  std::optional<FileId> Identify(const std::string& path) override {
    return path == kNowhere ? std::nullopt : files_.Identify(path);
  }

 private:
  FileSystem& files_;
};

// Hides the success message of a conversion that wrote nothing.
class NoSuccessPrompter : public Prompter {
 public:
  explicit NoSuccessPrompter(Prompter& prompter) : prompter_(prompter) {}
  bool AskYesNo(const std::string& question) override { return prompter_.AskYesNo(question); }
  void Show(MessageStyle style, const std::string& text) override {
    if (style != MessageStyle::kPlain) prompter_.Show(style, text);
  }

 private:
  Prompter& prompter_;
};

}  // namespace

bool CheckStatementFile(const std::string& path, ConversionContext& context) {
  Opened<File> opened = context.files.OpenForReading(path);
  if (!opened.file) {
    ReportOpenFailure(path, FailureText(opened.failure), context);
    return false;
  }
  File* const file = opened.file.get();
  ConversionNotes notes(path);
  try {
    BufferedReader in(*file);
    AboLineReader lines(in);
    StatementChecks checks([&](const StatementReport& report) {
      notes.Statement(report);
      if (context.statements) (*context.statements)(report);
    });
    char line[kLineWithEnd];
    while (lines.Next(line)) {
      switch (ClassifyLine(std::string_view(line, kLineWidth))) {
        case LineKind::kHeader:
          checks.Header(ReadHeaderLine(line), lines.line_number());
          notes.Line(LineKind::kHeader, lines);
          break;
        case LineKind::kItem:
          notes.Line(LineKind::kItem, lines);
          checks.Item(ReadItemLine(line));
          break;
        case LineKind::kOther:
          break;
      }
    }
    checks.Finish();
    notes.Reading(lines);
    file->Close();
  } catch (const FileError& error) {
    ReportFileError(error, context);
    return false;
  }
  notes.ShowTo(context.prompter);
  return true;
}

bool CheckStatementTable(const std::string& path, ConversionContext& context) {
  DryRunFileSystem files(context.files);
  NoSuccessPrompter prompter(context.prompter);
  ConversionContext dry_run{files, prompter, context.today, context.table_language_driver,
                            context.statements};
  return ConvertDbfToAbo(path, kNowhere, dry_run) == 1;
}

}  // namespace trelvan
