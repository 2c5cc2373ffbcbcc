// The three libFuzzer targets, one build of this file each: TRELVAN_FUZZ_CHECK names the check
// in tests/support that every input goes through (CheckAboToDbf: the bytes as a statement file;
// CheckDbfToAbo: a table, then "##MEMO##" and its memo file, no memo file without the separator;
// CheckMendedRoundTrip: any bytes mended into a statement file that must come back byte for
// byte). A broken check aborts, so that libFuzzer keeps the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "tests/support/conversion_checks.h"

// Each run allocates and frees a few 64 KiB I/O buffers; keep the freed memory instead of
// handing it back to the system, or page faults dominate the run time.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
#ifdef __GLIBC__
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
#endif
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string findings = trelvan::testing::TRELVAN_FUZZ_CHECK(
      std::string_view(reinterpret_cast<const char*>(data), size));
  if (findings.empty()) return 0;
  std::fprintf(stderr, "check broken: %s\n", findings.c_str());
  std::abort();
}
