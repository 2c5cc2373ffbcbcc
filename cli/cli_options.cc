#include "cli/cli_options.h"

#include "cli/cli_texts.h"
#include "convert/messages.h"
#include "formats/statement_table.h"

namespace trelvan {
namespace {

std::optional<Command> CommandNamed(const std::string& name) {
  if (name == "abo2dbf") return Command::kAboToDbf;
  if (name == "dbf2abo") return Command::kDbfToAbo;
  if (name == "check") return Command::kCheck;
  return std::nullopt;
}

// The operands against the command: what each one may be.
const char* OperandError(const CliOptions& options) {
  const bool converting = options.command != Command::kCheck;
  if (options.json && converting) return cli_texts::kJsonOnlyForCheck;
  if (options.table_language_driver != 0 && options.command != Command::kAboToDbf) {
    return cli_texts::kCodePageOnlyForAboToDbf;
  }
  if (options.directory && !converting) return cli_texts::kDirectoryNotForCheck;
  if (!converting) return options.files.empty() ? cli_texts::kNoFiles : nullptr;
  if (options.directory) {
    if (options.files.empty()) return cli_texts::kNoFiles;
    for (const std::string& file : options.files) {
      if (file == kStandardStream) return cli_texts::kStdinWithDirectory;
    }
    return nullptr;
  }
  if (options.files.size() > 2) return cli_texts::kManyFilesNeedDirectory;
  if (options.files.size() < 2) return nullptr;  // reported with the command's name
  const bool to_table = options.command == Command::kAboToDbf;
  if (options.files[to_table ? 1 : 0] == kStandardStream) {
    return to_table ? cli_texts::kStdoutNotATable : cli_texts::kStdinNotATable;
  }
  return nullptr;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                          std::string& error) {
  CliOptions options;
  std::optional<std::string> command_name;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      if (command_name) {
        options.files.push_back(arg);
      } else {
        command_name = arg;
      }
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      options.command = Command::kHelp;
      return options;
    } else if (arg == "--version") {
      options.command = Command::kVersion;
      return options;
    } else if (arg == "--yes" || arg == "-y") {
      options.assume_yes = true;
    } else if (arg == "--quiet" || arg == "-q") {
      options.quiet = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "-d" || arg == "--directory") {
      if (i + 1 == args.size()) {
        error = FillMessage(cli_texts::kDirectoryMissing, {arg});
        return std::nullopt;
      }
      options.directory = args[++i];
    } else if (arg == "--code-page" || arg.rfind("--code-page=", 0) == 0) {
      const bool joined = arg.size() > 11;
      if (!joined && i + 1 == args.size()) {
        error = cli_texts::kCodePageOnly1250;
        return std::nullopt;
      }
      if ((joined ? arg.substr(12) : args[++i]) != "1250") {
        error = cli_texts::kCodePageOnly1250;
        return std::nullopt;
      }
      options.table_language_driver = kLanguageDriverWindows1250;
    } else if (arg.rfind("--directory=", 0) == 0) {
      options.directory = arg.substr(12);
    } else {
      error = FillMessage(cli_texts::kUnknownOption, {arg});
      return std::nullopt;
    }
  }
  if (!command_name) {
    error = cli_texts::kNoCommand;
    return std::nullopt;
  }
  const std::optional<Command> command = CommandNamed(*command_name);
  if (!command) {
    error = FillMessage(cli_texts::kUnknownCommand, {*command_name});
    return std::nullopt;
  }
  options.command = *command;
  if (const char* problem = OperandError(options)) {
    error = problem;
    return std::nullopt;
  }
  if (options.command != Command::kCheck && !options.directory && options.files.size() != 2) {
    error = FillMessage(cli_texts::kTwoFiles, {*command_name});
    return std::nullopt;
  }
  if (options.directory && options.directory->empty()) {
    error = FillMessage(cli_texts::kDirectoryMissing, {"-d"});
    return std::nullopt;
  }
  return options;
}

}  // namespace trelvan
