// ABO -> DBF from arbitrary bytes as the statement file.
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  fuzz::Require(testing::CheckAboToDbf(fuzz::AsString(data, size)));
  return 0;
}
