// The data file of TClientDataSet (not part of the public API): encoding a table with its field
// definitions into the bytes ClientDataSet.h describes, and decoding them back. Decoding checks
// everything before it answers, so a caller installs either a whole table or nothing.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/db/ClientTable.h"

namespace kel {

// A field definition as the file holds it.
struct TDataFileField {
  String Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;
  int Precision = 0;
  bool Required = false;
  std::vector<TDataFileField> Children;  // the fields of an ADT
};

struct TDataFileContents {
  std::vector<TDataFileField> Fields;
  std::unique_ptr<TClientTable> Table;  // columns in the depth-first order of Fields
};

// The column types of Fields, depth-first (a parent before its children).
std::vector<TFieldType> ColumnTypesOf(const std::vector<TDataFileField>& Fields);

// The live rows of Table in the order they were added. Table's columns follow Fields.
String EncodeDataFile(const std::vector<TDataFileField>& Fields, const TClientTable& Table);

// Raises EDatabaseError "Invalid data file: <reason>" for anything but a whole, intact file of a
// version this code reads.
TDataFileContents DecodeDataFile(std::string_view Bytes);

}  // namespace kel
