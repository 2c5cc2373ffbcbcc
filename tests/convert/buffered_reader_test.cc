// The buffered reader gives the file's bytes wherever it is moved to: within its buffer, ahead
// of it, back before it, and when a look-ahead keeps bytes across a refill; the same once it was
// asked to hold the whole file, whether it did or found the file too large.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "convert/buffered_io.h"
#include "tests/support/memory_file_system.h"

namespace trelvan::testing {
namespace {

TEST(BufferedReaderTest, JumpsAnywhereReadTheBytesThatStandThere) {
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += static_cast<char>('a' + i * 7 % 26);
  MemoryFileSystem files;
  files.Put("f", bytes);
  for (const auto& [capacity, hold] : {std::pair<std::size_t, std::int64_t>{16, 0},
                                       {4096, 0},
                                       {65536, 0},
                                       {16, 19999},
                                       {16, 20000}}) {
    const auto file = files.OpenForReading("f").file;
    BufferedReader in(*file, capacity);
    const auto read = [&in](std::size_t n) {
      std::string out(n, '\0');
      out.resize(in.Read(out.data(), n));
      return out;
    };
    const struct {
      std::int64_t at;
      std::size_t n;
    } steps[] = {{0, 10}, {5, 3}, {15000, 40}, {12, 7000}, {19990, 50}, {3, 9}, {20001, 4}};
    for (const auto& step : steps) {
      if (hold > 0 && step.at == 12) {
        EXPECT_EQ(in.HoldWholeFile(hold), hold == 20000);
      }
      in.SeekTo(step.at);
      const std::size_t from =
          std::min<std::size_t>(static_cast<std::size_t>(step.at), bytes.size());
      EXPECT_EQ(read(step.n), bytes.substr(from, step.n)) << capacity << " at " << step.at;
    }
    in.SeekTo(100);
    read(10);  // a look-ahead over the end of the buffer keeps what is left of it
    EXPECT_EQ(in.Peek(12).substr(0, 12), bytes.substr(110, 12)) << capacity;
  }
}

}  // namespace
}  // namespace trelvan::testing
