// What every fuzz target shares: one conversion run over the in-memory file system, and the
// checks that hold for any run whatever its input. A broken check aborts, so libFuzzer keeps
// the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/conversion_context.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::fuzz {

[[noreturn]] void Fail(const char* what, const char* file, int line);

#define FUZZ_CHECK(condition)                                                \
  do {                                                                       \
    if (!(condition)) ::trelvan::fuzz::Fail(#condition, __FILE__, __LINE__); \
  } while (false)

// The date every fuzzed table is written on: 17 May 2024.
inline constexpr Date kToday{2024, 5, 17};

struct Session {
  testing::MemoryFileSystem files;
  testing::RecordingPrompter prompter;
  ConversionContext context{files, prompter, kToday};

  // The number of messages shown with `style`, and with `style` and exactly `text`.
  int Count(MessageStyle style) const;
  int Count(MessageStyle style, std::string_view text) const;
};

// Checks what any run must show: result 1 exactly when the one success message (plain box)
// was shown, last; otherwise exactly one stop message and no success; never a question (the
// fuzz targets write to paths that do not exist); every file closed.
void CheckOutcome(const Session& session, int result);

// Checks a finished table and memo file: table length 737 + 233 n + 1 with n in its header,
// header values and terminators, and a memo file of whole blocks whose header holds the next
// free block.
void CheckFinishedFiles(std::string_view table, std::string_view memo);

// The table's record count, read from its header.
std::uint32_t RecordCount(std::string_view table);

// A decimal integer the plain way: white space, a sign, digits up to the first other character.
std::int64_t DecimalInteger(std::string_view run);

std::string AsString(const std::uint8_t* data, std::size_t size);

}  // namespace trelvan::fuzz
