// trelvan-cli as a function, so that tests drive it in-process.
//
//   trelvan-cli abo2dbf [--yes] ABO_FILE DBF_FILE
//   trelvan-cli dbf2abo [--yes] DBF_FILE ABO_FILE
//   trelvan-cli --help | --version
//
// Exit status: 0 when the conversion finished, 1 when it did not, 2 for a usage error.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "convert/file_system.h"
#include "platform/clock.h"

namespace trelvan {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CliEnvironment {
  FileSystem& files;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive;                              // standard input is a terminal
  std::optional<std::string> source_date_epoch;  // the variable, when set
  const Clock& local_clock;                      // today's local date otherwise
};

// Runs the command line; `args` excludes the program name.
int RunCli(const std::vector<std::string>& args, CliEnvironment& env);

// The UTC calendar date of a count of seconds since 1970-01-01; nullopt when `seconds` is not a
// plain decimal integer.
std::optional<Date> DateOfEpochSeconds(const std::string& seconds);

}  // namespace trelvan
