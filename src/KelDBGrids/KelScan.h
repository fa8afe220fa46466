// Scanning delimited text: the values of a multi-value cell, lists of numbers in settings.
#pragma once

#include "platform/rtl/Types.h"

namespace kel {

// The text of S before the first Delimiter (all of S when there is none); that text and the
// delimiter are removed from S. An empty Delimiter means DefaultDelimiter.
String ScanStr(String& S, const String& Delimiter = String());
// ScanStr's piece as an integer (blanks around it allowed); Default when it is not one.
int ScanInt(String& S, int Default, const String& Delimiter = String());

}  // namespace kel
