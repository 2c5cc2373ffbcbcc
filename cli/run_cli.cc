#include "cli/run_cli.h"

#include <cstdint>
#include <istream>
#include <ostream>

#include "cli/cli_texts.h"
#include "cli/stream_prompter.h"
#include "convert/conversions.h"
#include "formats/statement_table.h"

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

int Usage(CliEnvironment& env) {
  env.err << cli_texts::kUsage;
  return kExitUsage;
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

int RunCli(const std::vector<std::string>& args, CliEnvironment& env) {
  std::vector<std::string> operands;
  bool assume_yes = false;
  bool options_ended = false;
  std::uint8_t language_driver = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      env.out << cli_texts::kUsage << '\n' << cli_texts::kHelp;
      return kExitSuccess;
    } else if (arg == "--version") {
      env.out << cli_texts::kVersion;
      return kExitSuccess;
    } else if (arg == "--yes" || arg == "-y") {
      assume_yes = true;
    } else if (arg == "--code-page" && i + 1 < args.size() && args[i + 1] == "1250") {
      language_driver = kLanguageDriverWindows1250;
      ++i;
    } else {
      return Usage(env);
    }
  }
  if (operands.size() != 3) return Usage(env);
  const std::string& command = operands[0];
  if (command != "abo2dbf" && command != "dbf2abo") return Usage(env);
  if (language_driver != 0 && command != "abo2dbf") return Usage(env);

  Date today;
  if (env.source_date_epoch) {
    const std::optional<Date> date = DateOfEpochSeconds(*env.source_date_epoch);
    if (!date) {
      env.err << cli_texts::kBadEpoch;
      return kExitUsage;
    }
    today = *date;
  } else {
    today = env.local_clock.Today();
  }
  StreamPrompter prompter(env.in, env.out, env.err,
                          assume_yes        ? OverwriteAnswer::kYes
                          : env.interactive ? OverwriteAnswer::kAsk
                                            : OverwriteAnswer::kNo);
  ConversionContext context{env.files, prompter, today, language_driver};
  const int result = command == "abo2dbf" ? ConvertAboToDbf(operands[1], operands[2], context)
                                          : ConvertDbfToAbo(operands[1], operands[2], context);
  return result == 1 ? kExitSuccess : kExitFailure;
}

}  // namespace trelvan
