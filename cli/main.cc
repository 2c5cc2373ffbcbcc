// trelvan-cli: forwards to RunCli with the real files, terminal and clock.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "platform/native_file_system.h"
#include "platform/system_clock.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  trelvan::NativeFileSystem files;
  trelvan::SystemClock clock;
  std::optional<std::string> epoch;
  if (const char* value = std::getenv("SOURCE_DATE_EPOCH")) epoch = value;
  trelvan::CliEnvironment env{files, std::cin, std::cout, std::cerr, isatty(0) != 0, epoch, clock};
  return trelvan::RunCli(args, env);
}
