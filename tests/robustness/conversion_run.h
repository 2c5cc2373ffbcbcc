// Runs the conversions over the in-memory file system and keeps what the user was shown.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversions.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/recording_prompter.h"

namespace trelvan::testing {

inline Shown Success() { return {MessageStyle::kPlain, "Konverze proběhla úspěšně"}; }
inline Shown Stop(const std::string& text) { return {MessageStyle::kStop, text}; }
inline Shown Notice(const std::string& text) { return {MessageStyle::kInformation, text}; }
inline Shown CannotOpen(const std::string& path) {
  return Stop("Nemohu otevřít soubor \"" + path + "\"");
}

// The same bytes for the same seed, on every platform.
inline std::string PseudoRandomBytes(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245 + 12345;
    c = static_cast<char>(seed >> 23);
  }
  return bytes;
}

// Whole files of the real file system.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct Outcome {
  int result;
  std::vector<Shown> shown;
};

class ConversionRunTest : public ::testing::Test {
 protected:
  // Converts `abo` (put at in.gpc) into out.dbf and out.dbt.
  Outcome AboToDbf(const std::string& abo) {
    files_.Put("in.gpc", abo);
    ReplaceOutput("out.dbf");
    return Run(ConvertAboToDbf("in.gpc", "out.dbf", context_));
  }
  // Converts `table` (put at in.dbf) with `memo` (at in.dbt; none when absent) into out.gpc.
  Outcome DbfToAbo(const std::string& table, const std::optional<std::string>& memo) {
    files_.Put("in.dbf", table);
    if (memo) files_.Put("in.dbt", *memo);
    ReplaceOutput("out.gpc");
    return Run(ConvertDbfToAbo("in.dbf", "out.gpc", context_));
  }
  // Lets a test convert into the same output again: the overwrite question is answered Yes
  // and left out of the outcome.
  void ReplaceOutput(const std::string& path) {
    if (files_.Exists(path)) prompter_.AnswerNext(true);
  }
  Outcome Run(int result) {
    Outcome outcome{result, {}};
    for (const Shown& shown : prompter_.shown) {
      if (shown.style != MessageStyle::kQuestion) outcome.shown.push_back(shown);
    }
    prompter_.shown.clear();
    EXPECT_EQ(files_.open_files(), 0);
    return outcome;
  }
  // Record `i` (from 0) of out.dbf.
  std::string Record(std::size_t i) const {
    return files_.Contents("out.dbf").substr(737 + 233 * i, 233);
  }

  MemoryFileSystem files_;
  RecordingPrompter prompter_;
  ConversionContext context_{files_, prompter_, Date{2026, 12, 6}};
};

}  // namespace trelvan::testing
