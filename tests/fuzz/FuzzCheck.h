// What every fuzz target's property check shares. A check feeds the input to one reader of the
// library and asserts what came out: what a writer wrote reads back equal, a refused input left
// the object as it was, only the documented exceptions leave the reader. The checks run under
// libFuzzer (FuzzEntry.cpp) and over the committed corpus as tests (ReplayTest.cpp).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
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

// Runs Act; answers false when it raised TError, the error the reader documents.
template <typename TError, typename TAct>
bool Succeeds(TAct&& Act) {
  try {
    Act();
    return true;
  } catch (const TError&) {
    return false;
  }
}

// Runs Act as Succeeds does; a refusal must leave what State() answers as it was before.
template <typename TError, typename TAct, typename TState>
bool SucceedsOrChangesNothing(TAct&& Act, TState&& State, const std::string& What) {
  const auto before = State();
  if (Succeeds<TError>(Act)) return true;
  Expect(State() == before, What);
  return false;
}

// An input read as a selector byte (0 when empty) followed by text parts separated by NUL bytes;
// with one part, the part is all the bytes after the selector.
struct TInput {
  std::uint8_t Selector = 0;
  std::vector<String> Parts;  // at least one, possibly empty

  static TInput Split(TBytes Data, std::size_t MaxParts);
  // Part Index, empty when the input has fewer.
  const String& Part(std::size_t Index) const;
};

// A path for a file (or folder) named Name in a folder made once per process; no file is there.
String ScratchFile(const String& Name);

// One target: its name (the corpus folder and the libFuzzer program fuzz_<name>) and its check.
struct TTarget {
  const char* Name;
  TCheck Check;
};
const std::vector<TTarget>& Targets();

// The property check of each target; the top of each Check*.cpp says what it asserts.
void CheckUtf8(TBytes Data);
void CheckCellValues(TBytes Data);
void CheckSQLParams(TBytes Data);
void CheckTextValues(TBytes Data);
void CheckFormat(TBytes Data);
void CheckEditMask(TBytes Data);
void CheckFilter(TBytes Data);
void CheckIniFile(TBytes Data);
void CheckClientDataFile(TBytes Data);
void CheckComponentStream(TBytes Data);

}  // namespace kel::fuzz
