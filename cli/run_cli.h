// trelvan-cli as a function, so that tests drive it in-process.
//
//   trelvan-cli abo2dbf [-y] [-q] ABO_FILE DBF_FILE     ("-" as ABO_FILE: standard input)
//   trelvan-cli dbf2abo [-y] [-q] DBF_FILE ABO_FILE     ("-" as ABO_FILE: standard output)
//   trelvan-cli abo2dbf|dbf2abo [-y] [-q] -d DIR FILE...
//   trelvan-cli check [--json] [-q] FILE...
//   trelvan-cli --help | --version
//
// Exit status: 0 done; 1 a conversion did not finish or a file could not be read; 2 a usage
// error; 3 done, but with warnings (a check failed, something was not carried over).
#pragma once

#include <functional>
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
inline constexpr int kExitWarnings = 3;

struct CliEnvironment {
  FileSystem& files;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool interactive;                              // standard input is a terminal
  std::optional<std::string> source_date_epoch;  // the variable, when set
  const Clock& local_clock;                      // today's local date otherwise
  // Called before standard input (0) or output (1) carries a file, where text mode would alter
  // its bytes (Windows).
  std::function<void(int)> binary_mode = nullptr;
};

// Runs the command line; `args` excludes the program name.
int RunCli(const std::vector<std::string>& args, CliEnvironment& env);

// The UTC calendar date of a count of seconds since 1970-01-01; nullopt when `seconds` is not a
// plain decimal integer.
std::optional<Date> DateOfEpochSeconds(const std::string& seconds);

// The output for `source` in `directory`: the source's file name with its extension (after the
// last ".") replaced by `extension`.
std::string OutputPathIn(const std::string& directory, const std::string& source,
                         const std::string& extension);

}  // namespace trelvan
