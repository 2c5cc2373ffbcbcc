// trelvan-cli: forwards to RunCli with the real files, terminal and clock.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "platform/interruption_cleanup.h"
#include "platform/native_file_system.h"
#include "platform/system_clock.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "cli/windows_console.h"
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> args = trelvan::windows::Utf8Arguments();
  trelvan::windows::UseUtf8Console();
  const bool interactive = trelvan::windows::InputIsConsole();
#else
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool interactive = isatty(0) != 0;
#endif
  // Ctrl+C or kill in the middle of a conversion leaves no half-written file behind.
  trelvan::interruption::RemoveTemporariesOnInterruption();
  trelvan::NativeFileSystem files;
  trelvan::SystemClock clock;
  std::optional<std::string> epoch;
  if (const char* value = std::getenv("SOURCE_DATE_EPOCH")) epoch = value;
  trelvan::CliEnvironment env{files, std::cin, std::cout, std::cerr, interactive, epoch, clock};
#ifdef _WIN32
  env.binary_mode = [](int fd) { _setmode(fd, _O_BINARY); };
#endif
  return trelvan::RunCli(args, env);
}
