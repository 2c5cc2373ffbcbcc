// DBF -> ABO from arbitrary bytes: the table, then "##MEMO##" and the memo file; without the
// separator there is no memo file at all.
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  fuzz::Require(testing::CheckDbfToAbo(fuzz::AsString(data, size)));
  return 0;
}
