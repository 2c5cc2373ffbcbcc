// The fuzz targets' checks over their seed corpora and every input a fuzzer has found, with the
// compiler and sanitizers of this build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/conversion_checks.h"

namespace trelvan::testing {
namespace {

namespace fs = std::filesystem;

// Every input of fuzz/corpus/`corpus` and of the regressions of `target`, checked.
void Replay(const std::string& corpus, const std::string& target,
            std::string (*check)(std::string_view input)) {
  int inputs = 0;
  for (const fs::path& dir : {fs::path(TRELVAN_FUZZ_CORPUS) / corpus,
                              fs::path(TRELVAN_TEST_DATA) / "fuzz-regressions" / target}) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".md" || entry.path().filename() == ".keep") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      EXPECT_EQ(check(std::string(std::istreambuf_iterator<char>(in), {})), "") << entry.path();
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 3);
}

TEST(FuzzCorpusTest, EveryInputPassesItsTargetsChecks) {
  Replay("abo", "abo_to_dbf", CheckAboToDbf);
  Replay("round_trip", "round_trip", CheckMendedRoundTrip);
  Replay("dbf", "dbf_to_abo", CheckDbfToAbo);
}

}  // namespace
}  // namespace trelvan::testing
