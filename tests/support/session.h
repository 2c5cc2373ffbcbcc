// One conversion's seams as the tests and fuzz targets give them: an in-memory file system, a
// prompter that records what was shown, and a fixed date.
#pragma once

#include "convert/conversion_context.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {

inline constexpr Date kTestDate{2026, 12, 6};

struct Session {
  MemoryFileSystem files;
  RecordingPrompter prompter;
  ConversionContext context{files, prompter, kTestDate};
};

inline Shown Success() { return {MessageStyle::kPlain, "Konverze proběhla úspěšně"}; }
inline Shown Stop(const std::string& text) { return {MessageStyle::kStop, text}; }
inline Shown Notice(const std::string& text) { return {MessageStyle::kInformation, text}; }
inline Shown CannotOpen(const std::string& path) {
  return Stop("Nemohu otevřít soubor \"" + path + "\"");
}

}  // namespace trelvan::testing
