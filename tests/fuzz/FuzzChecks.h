// The property check of each fuzz target; the top of each Check*.cpp says what it asserts.
#pragma once

#include "FuzzCheck.h"

namespace kel::fuzz {

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
