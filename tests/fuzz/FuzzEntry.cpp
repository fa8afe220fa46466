// The libFuzzer entry of one target; KEL_FUZZ_CHECK names its check.
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  kel::fuzz::RunCheck(kel::fuzz::KEL_FUZZ_CHECK, kel::fuzz::TBytes(Data, Size));
  return 0;
}
