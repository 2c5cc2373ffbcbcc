// One conversion's seams as the tests and fuzz targets give them: an in-memory file system, a
// prompter that records what was shown, and a fixed date.
#pragma once

#include <cstdint>
#include <string>

#include "convert/conversion_context.h"
#include "convert/czech_wording.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {

inline constexpr Date kTestDate{2026, 12, 6};

struct Session {
  MemoryFileSystem files;
  RecordingPrompter prompter;
  ConversionContext context{files, prompter, kTestDate};
};

// The success message with its counts line.
inline Shown Success(std::uint64_t items, std::uint64_t statements) {
  return {MessageStyle::kPlain, "Konverze proběhla úspěšně\n" + ConvertedCounts(items, statements)};
}
// The success message cut to its first line, as RecordingPrompter::Outcome() gives it.
inline Shown Success() { return {MessageStyle::kPlain, "Konverze proběhla úspěšně"}; }
inline bool IsSuccess(const Shown& shown) {
  return shown.style == MessageStyle::kPlain && shown.text.rfind(Success().text + "\n", 0) == 0;
}
inline Shown Stop(const std::string& text) { return {MessageStyle::kStop, text}; }
inline Shown Notice(const std::string& text) { return {MessageStyle::kInformation, text}; }
inline Shown CannotOpen(const std::string& path, const std::string& reason) {
  return Stop("Nemohu otevřít soubor \"" + path + "\": " + reason);
}

}  // namespace trelvan::testing
