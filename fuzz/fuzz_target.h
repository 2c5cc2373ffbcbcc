// What every fuzz target shares. The checks live in tests/support, where the test suite runs
// them over the corpora too; a broken check aborts, so that libFuzzer keeps the input. Included
// by exactly one file of each target.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

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

namespace trelvan::fuzz {

inline std::string AsString(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

inline void Require(const std::string& findings) {
  if (findings.empty()) return;
  std::fprintf(stderr, "check broken: %s\n", findings.c_str());
  std::abort();
}

}  // namespace trelvan::fuzz
