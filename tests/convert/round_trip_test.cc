// Statement files of the standard shape go to a table and back byte for byte, the table being
// the one the model in tests/support predicts: the benchmark's realistic files, and any bytes
// mended into a statement file (numbers, dates and text of every kind, memos of any length).
#include <gtest/gtest.h>

#include "bench/statement_generator.h"
#include "tests/support/conversion_checks.h"
#include "tests/support/statement_files.h"

namespace trelvan::testing {
namespace {

TEST(RoundTripTest, GeneratedStatementFilesComeBackByteForByte) {
  for (std::uint64_t seed = 1; seed <= 3; ++seed) {
    EXPECT_EQ(CheckRoundTrip(bench::StatementFile({3000, 400, seed})), "") << "seed " << seed;
  }
  for (std::uint32_t n = 0; n < 200; ++n) {
    const std::string bytes = PseudoRandomBytes(128 * (1 + n % 60), n);
    EXPECT_EQ(CheckRoundTrip(StandardStatementFile(bytes)), "") << "file " << n;
  }
}

}  // namespace
}  // namespace trelvan::testing
