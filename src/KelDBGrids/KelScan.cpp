// ScanStr and ScanInt, and the process-wide DefaultDelimiter they fall back to.
#include "KelDBGrids/KelScan.h"

#include "KelDBGrids/KelDBGridGlobals.h"
#include <utility>

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

String DefaultDelimiter = ",";

String ScanStr(String& S, const String& Delimiter) {
  const String& delimiter = Delimiter.empty() ? DefaultDelimiter : Delimiter;
  const std::size_t at = delimiter.empty() ? String::npos : S.find(delimiter);
  if (at == String::npos) return std::exchange(S, String());
  String piece = S.substr(0, at);
  S.erase(0, at + delimiter.size());
  return piece;
}

int ScanInt(String& S, int Default, const String& Delimiter) {
  return StrToIntDef(Trim(ScanStr(S, Delimiter)), Default);
}

}  // namespace kel
