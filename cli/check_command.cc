#include "cli/check_command.h"

#include <memory>

#include "cli/check_report.h"
#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/run_cli.h"
#include "convert/statement_file_check.h"

namespace trelvan {
namespace {

// Keeps what a reading of the file shows, sorted into notes and errors.
class CollectingPrompter : public Prompter {
 public:
  explicit CollectingPrompter(CheckedFile& file) : file_(file) {}
  bool AskYesNo(const std::string&) override { return false; }
  void Show(MessageStyle style, const std::string& text) override {
    if (style == MessageStyle::kWarning || style == MessageStyle::kInformation) {
      file_.notes.emplace_back(style, text);
    } else if (style == MessageStyle::kStop) {
      file_.errors.push_back(text);
    }
  }

 private:
  CheckedFile& file_;
};

bool IsTable(const std::string& path, FileSystem& files) {
  if (path == kStandardStream) return false;
  const std::unique_ptr<File> file = files.OpenForReading(path).file;
  if (!file) return false;  // the reading reports it
  char head[32];
  std::size_t got = 0;
  try {
    got = file->Read(head, sizeof head);
  } catch (const FileError&) {
    return false;
  }
  return LooksLikeTable(std::string_view(head, got));
}

}  // namespace

bool LooksLikeTable(std::string_view head) {
  if (head.size() < 12) return false;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[i]); };
  const unsigned version = byte(0) & 0x07;  // the low bits: 3 for dBASE III and later
  const unsigned month = byte(2);
  const unsigned day = byte(3);
  const unsigned header_length = byte(8) | (byte(9) << 8);
  return (version == 3 || byte(0) == 0x30 || byte(0) == 0x31) && month >= 1 && month <= 12 &&
         day >= 1 && day <= 31 && header_length >= 65;
}

int RunCheck(const CheckRequest& request, FileSystem& files, Date today, std::ostream& out,
             std::ostream& err) {
  int status = kExitSuccess;
  for (const std::string& path : request.files) {
    CheckedFile file;
    file.table = IsTable(path, files);
    const StatementSink sink = [&file](const StatementReport& report) {
      file.statements.push_back(report);
    };
    CollectingPrompter prompter(file);
    ConversionContext context{files, prompter, today, 0, &sink};
    file.read = file.table ? CheckStatementTable(path, context) : CheckStatementFile(path, context);
    for (const std::string& error : file.errors) err << cli_texts::kPrefix << error << '\n';
    if (request.json) {
      PrintCheckJson(path, file, out);
    } else if (!request.quiet && file.read) {
      PrintCheckText(path, file, out);
    }
    if (!file.read) {
      status = kExitFailure;
    } else if (!file.Holds() && status == kExitSuccess) {
      status = kExitWarnings;
    }
  }
  out.flush();
  return status;
}

}  // namespace trelvan
