#include "fuzz/fuzz_session.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstdlib>

#include "convert/messages.h"
#include "formats/byte_order.h"
#include "formats/memo_file.h"
#include "formats/statement_table.h"

// Each run allocates and frees a few 64 KiB I/O buffers; keep the freed memory instead of
// handing it back to the system, or page faults dominate the run time.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
  return 0;
}

namespace trelvan::fuzz {

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", what, file, line);
  std::abort();
}

int Session::Count(MessageStyle style) const {
  int count = 0;
  for (const auto& shown : prompter.shown) count += shown.style == style;
  return count;
}

int Session::Count(MessageStyle style, std::string_view text) const {
  int count = 0;
  for (const auto& shown : prompter.shown) count += shown.style == style && shown.text == text;
  return count;
}

void CheckOutcome(const Session& session, int result) {
  FUZZ_CHECK(result == 0 || result == 1);
  FUZZ_CHECK(session.Count(MessageStyle::kQuestion) == 0);
  const int successes = session.Count(MessageStyle::kPlain, messages::kConversionSucceeded);
  FUZZ_CHECK(session.Count(MessageStyle::kPlain) == successes);
  if (result == 1) {
    FUZZ_CHECK(successes == 1);
    FUZZ_CHECK(session.prompter.shown.back().style == MessageStyle::kPlain);
    FUZZ_CHECK(session.Count(MessageStyle::kStop) == 0);
  } else {
    FUZZ_CHECK(successes == 0);
    FUZZ_CHECK(session.Count(MessageStyle::kStop) == 1);
  }
  FUZZ_CHECK(session.files.open_files() == 0);
}

std::uint32_t RecordCount(std::string_view table) {
  FUZZ_CHECK(table.size() >= kFileHeaderSize);
  return ReadU32Le(table.data() + 4);
}

void CheckFinishedFiles(std::string_view table, std::string_view memo) {
  const std::uint64_t n = RecordCount(table);
  FUZZ_CHECK(table.size() == kTableHeaderLength + kRecordLength * n + 1);
  FUZZ_CHECK(table[0] == kTableVersion);
  FUZZ_CHECK(ReadU16Le(table.data() + 8) == kTableHeaderLength);
  FUZZ_CHECK(ReadU16Le(table.data() + 10) == kRecordLength);
  FUZZ_CHECK(table[kTableHeaderLength - 1] == kHeaderTerminator);
  FUZZ_CHECK(table.back() == kTableEndOfFile);

  FUZZ_CHECK(memo.size() >= kMemoBlockSize && memo.size() % kMemoBlockSize == 0);
  FUZZ_CHECK(ReadU32Le(memo.data()) == memo.size() / kMemoBlockSize);
  FUZZ_CHECK(memo[16] == kMemoVersion);
}

std::int64_t DecimalInteger(std::string_view run) {
  std::size_t i = 0;
  while (i < run.size() && (run[i] == ' ' || (run[i] >= '\t' && run[i] <= '\r'))) ++i;
  const bool negative = i < run.size() && run[i] == '-';
  if (i < run.size() && (run[i] == '-' || run[i] == '+')) ++i;
  std::int64_t value = 0;
  for (; i < run.size() && run[i] >= '0' && run[i] <= '9'; ++i) value = value * 10 + (run[i] - '0');
  return negative ? -value : value;
}

std::string AsString(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace trelvan::fuzz
