// The arguments of trelvan-cli, parsed and checked before anything is opened.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trelvan {

enum class Command { kAboToDbf, kDbfToAbo, kCheck, kHelp, kVersion };

// "-" as a statement file: standard input for abo2dbf, standard output for dbf2abo.
inline constexpr char kStandardStream[] = "-";

struct CliOptions {
  Command command = Command::kHelp;
  bool assume_yes = false;                 // -y, --yes
  bool quiet = false;                      // -q, --quiet
  bool json = false;                       // --json (check)
  std::uint8_t table_language_driver = 0;  // --code-page 1250 (abo2dbf): 0xC8
  std::optional<std::string> directory;    // -d, --directory: one output per file there
  std::vector<std::string> files;
};

// Parses `args` (without the program name). Options may stand anywhere; "--" ends them.
// Returns nullopt with `error` saying what was wrong (in Czech) for a usage error.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace trelvan
