// Failing a check, running one, reading an input, and the table of targets.
#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

namespace kel::fuzz {

void Fail(const std::string& What) {
  std::fprintf(stderr, "fuzz property failed: %s\n", What.c_str());
  std::fflush(stderr);
  std::abort();
}

void RunCheck(TCheck Check, TBytes Data) {
  try {
    Check(Data);
  } catch (const std::exception& error) {
    Fail(std::string("undocumented exception ") + typeid(error).name() + ": " + error.what());
  } catch (...) {
    Fail("undocumented exception of a type that is no std::exception");
  }
}

TInput TInput::Split(TBytes Data, std::size_t MaxParts) {
  TInput input{Data.empty() ? std::uint8_t{0} : Data[0], {String()}};
  for (const std::uint8_t byte : Data.subspan(Data.empty() ? 0 : 1)) {
    if (byte == 0 && input.Parts.size() < MaxParts)
      input.Parts.emplace_back();
    else
      input.Parts.back() += static_cast<char>(byte);
  }
  return input;
}

const String& TInput::Part(std::size_t Index) const {
  static const String none;
  return Index < Parts.size() ? Parts[Index] : none;
}

String ScratchFile(const String& Name) {
  static const String directory = [] {
    String pattern = "/tmp/kel-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) Fail("cannot make a scratch directory");
    return pattern;
  }();
  const String path = directory + "/" + Name;
  std::remove(path.c_str());
  return path;
}

const std::vector<TTarget>& Targets() {
  static const std::vector<TTarget> targets = {
      {"utf8", CheckUtf8}, {"cell_values", CheckCellValues}, {"sql_params", CheckSQLParams},
      {"text_values", CheckTextValues}, {"format", CheckFormat}, {"edit_mask", CheckEditMask},
      {"filter", CheckFilter}, {"ini_file", CheckIniFile}, {"client_data_file", CheckClientDataFile},
      {"component_stream", CheckComponentStream}};
  return targets;
}

}  // namespace kel::fuzz
