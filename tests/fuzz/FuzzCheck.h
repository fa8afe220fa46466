// What every fuzz target's property check shares. A check takes the input bytes, feeds them to
// one reader of the library and asserts properties of what came out: what a writer wrote reads
// back equal, a refused input left the object as it was, and only the exceptions the reader
// documents come out of it. The same checks run under libFuzzer (FuzzEntry.cpp, one program per
// target) and over the committed corpus as ordinary tests (ReplayTest.cpp, built by gcc too).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

namespace kel::fuzz {

using TBytes = std::span<const std::uint8_t>;
using TCheck = void (*)(TBytes Data);

// Reports a broken property and aborts, so that libFuzzer keeps the input and a replayed entry
// fails its test.
[[noreturn]] void Fail(const std::string& What);
inline void Expect(bool Holds, const std::string& What) {
  if (!Holds) Fail(What);
}

// Runs Check on Data; an exception that leaves it is one no reader documents, and fails.
void RunCheck(TCheck Check, TBytes Data);

// An input read as a selector byte (0 when empty) followed by text parts separated by NUL bytes.
struct TInput {
  std::uint8_t Selector = 0;
  std::vector<String> Parts;  // at least one, possibly empty

  static TInput Split(TBytes Data, std::size_t MaxParts);
  // Part Index, empty when the input has fewer.
  const String& Part(std::size_t Index) const;
};

// A folder for the files of the checks that need some, made once per process.
const String& ScratchDirectory();

// One target: its name (the corpus folder and the libFuzzer program fuzz_<name>) and its check.
struct TTarget {
  const char* Name;
  TCheck Check;
};
const std::vector<TTarget>& Targets();

}  // namespace kel::fuzz
