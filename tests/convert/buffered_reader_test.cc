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
  const std::pair<std::size_t, std::int64_t> runs[] = {
      {16, 0}, {4096, 0}, {65536, 0}, {16, 19999}, {16, 20000}};
  for (const auto& [capacity, hold] : runs) {
    const auto file = files.OpenForReading("f").file;
    BufferedReader in(*file, capacity);
    const auto read = [&in](std::size_t n) {
      std::string out(n, '\0');
      out.resize(in.Read(out.data(), n));
      return out;
    };
    const std::pair<std::int64_t, std::size_t> steps[] = {
        {0, 10}, {5, 3}, {15000, 40}, {12, 7000}, {19990, 50}, {3, 9}, {20001, 4}};
    for (const auto& [at, n] : steps) {
      EXPECT_EQ(at == 12 && hold > 0 && in.HoldWholeFile(hold), at == 12 && hold == 20000);
      in.SeekTo(at);
      EXPECT_EQ(read(n), bytes.substr(std::min<std::int64_t>(at, 20000), n))
          << capacity << " at " << at;
    }
    in.SeekTo(100);
    read(10);  // a look-ahead over the end of the buffer keeps what is left of it
    EXPECT_EQ(in.Peek(12).substr(0, 12), bytes.substr(110, 12)) << capacity;
  }
}

}  // namespace
}  // namespace trelvan::testing
