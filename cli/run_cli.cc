#include "cli/run_cli.h"

#include <algorithm>
#include <cstdint>
#include <istream>
#include <ostream>
#include <set>

#include "cli/check_command.h"
#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/standard_streams.h"
#include "cli/stream_prompter.h"
#include "convert/conversions.h"
#include "convert/memo_path.h"
#include "convert/messages.h"

namespace trelvan {
namespace {

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil_from_days).
Date DateOfDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t mp = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return Date{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

int UsageError(const std::string& what, CliEnvironment& env) {
  env.err << cli_texts::kPrefix << what << cli_texts::kSeeHelp << '\n';
  return kExitUsage;
}

// The exit status of one conversion: its result and whether it warned.
int StatusOf(int result, const StreamPrompter& prompter) {
  if (result != 1) return kExitFailure;
  return prompter.warned() ? kExitWarnings : kExitSuccess;
}

int Convert(const CliOptions& options, const std::string& source, const std::string& target,
            StreamPrompter& prompter, FileSystem& files, Date today) {
  ConversionContext context{files, prompter, today, options.table_language_driver};
  prompter.reset_warned();
  const int result = options.command == Command::kAboToDbf
                         ? ConvertAboToDbf(source, target, context)
                         : ConvertDbfToAbo(source, target, context);
  return StatusOf(result, prompter);
}

// Converts each file into the directory, on after a failure; ends with a summary line.
int ConvertEach(const CliOptions& options, StreamPrompter& prompter, FileSystem& files, Date today,
                CliEnvironment& env) {
  const char* extension = options.command == Command::kAboToDbf ? ".dbf" : ".gpc";
  unsigned converted = 0;
  unsigned warned = 0;
  unsigned failed = 0;
  std::set<std::string> written;
  for (const std::string& source : options.files) {
    const std::string target = OutputPathIn(*options.directory, source, extension);
    int status;
    if (!written.insert(target).second) {
      env.err << cli_texts::kPrefix << FillMessage(cli_texts::kOutputTwice, {target, source})
              << '\n';
      status = kExitFailure;
    } else {
      prompter.set_success_prefix(source + ": ");
      status = Convert(options, source, target, prompter, files, today);
    }
    if (status == kExitFailure) {
      ++failed;
    } else {
      ++converted;
      if (status == kExitWarnings) ++warned;
    }
  }
  const auto count = static_cast<unsigned>(options.files.size());
  const std::string summary =
      FillMessage(cli_texts::kSummary, {std::to_string(converted), std::to_string(count),
                                        std::to_string(warned), std::to_string(failed)});
  if (failed > 0 || warned > 0) {
    env.err << cli_texts::kPrefix << summary << '\n';
  } else if (!options.quiet) {
    env.out << summary << '\n';
  }
  return failed > 0 ? kExitFailure : warned > 0 ? kExitWarnings : kExitSuccess;
}

}  // namespace

std::optional<Date> DateOfEpochSeconds(const std::string& seconds) {
  std::size_t i = 0;
  const bool negative = !seconds.empty() && seconds[0] == '-';
  if (negative) ++i;
  if (i == seconds.size() || seconds.size() - i > 15) return std::nullopt;
  std::int64_t value = 0;
  for (; i < seconds.size(); ++i) {
    if (seconds[i] < '0' || seconds[i] > '9') return std::nullopt;
    value = value * 10 + (seconds[i] - '0');
  }
  if (negative) value = -value;
  const std::int64_t days = (value >= 0 ? value : value - 86399) / 86400;
  return DateOfDays(days);
}

std::string OutputPathIn(const std::string& directory, const std::string& source,
                         const std::string& extension) {
  std::string name(FileNameOf(source));
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  const bool separated =
      !directory.empty() && (directory.back() == '/' || directory.back() == '\\');
  return directory + (separated ? "" : "/") + name + extension;
}

int RunCli(const std::vector<std::string>& args, CliEnvironment& env) {
  std::string error;
  const std::optional<CliOptions> options = ParseCliOptions(args, error);
  if (!options) return UsageError(error, env);
  switch (options->command) {
    case Command::kHelp:
      env.out << cli_texts::kUsage << '\n' << cli_texts::kHelp;
      return kExitSuccess;
    case Command::kVersion:
      env.out << cli_texts::kVersion;
      return kExitSuccess;
    default:
      break;
  }

  Date today;
  if (env.source_date_epoch) {
    const std::optional<Date> date = DateOfEpochSeconds(*env.source_date_epoch);
    if (!date) return UsageError(cli_texts::kBadEpoch, env);
    today = *date;
  } else {
    today = env.local_clock.Today();
  }
  StandardStreamFileSystem files(env.files, env.in, env.out);
  const bool reads_stdin = std::find(options->files.begin(), options->files.end(),
                                     kStandardStream) != options->files.end();
  if (reads_stdin && env.binary_mode) env.binary_mode(0);
  if (options->command == Command::kCheck) {
    return RunCheck(CheckRequest{options->files, options->json, options->quiet}, files, today,
                    env.out, env.err);
  }

  // Standard input that carries the statement cannot answer the question as well.
  const bool can_ask = env.interactive && !reads_stdin;
  StreamPrompter prompter(env.in, env.out, env.err,
                          options->assume_yes ? OverwriteAnswer::kYes
                          : can_ask           ? OverwriteAnswer::kAsk
                                              : OverwriteAnswer::kNo);
  prompter.set_quiet(options->quiet);
  if (options->directory) return ConvertEach(*options, prompter, files, today, env);

  const std::string& target = options->files[1];
  if (target == kStandardStream) {
    prompter.set_output_is_data(true);
    if (env.binary_mode) env.binary_mode(1);
  }
  return Convert(*options, options->files[0], target, prompter, files, today);
}

}  // namespace trelvan
