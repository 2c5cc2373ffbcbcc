// Round trip: any bytes, mended into a standard statement file, come back byte for byte.
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  fuzz::Require(
      testing::CheckRoundTrip(testing::StandardStatementFile(fuzz::AsString(data, size))));
  return 0;
}
