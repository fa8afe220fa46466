// TLookupIndex: the records of a data set by the values of some key fields, giving the values of
// some result fields. Lookup fields read it instead of searching their lookup data set for every
// record they are computed for; TDataSet::Lookup answers from it while it is current. Not part of
// the public API: data sets and fields own their indexes.
//
// Matching. A key is compared in the domain of the key field it is matched against:
//   - Number, date, time and Boolean fields: by value whatever the key's kind. Integer 3, Int64 3,
//     Double 3.0 and Currency 3 are one key; a date is its day number; true is -1 and false 0 (as
//     Variants compare them). A text key is first converted to the field's type, as Locate does
//     ("3" finds 3); a text that does not convert finds nothing.
//   - Text fields (strings, memos, GUIDs): byte-wise. A key of another kind is taken as its text,
//     so 3 finds "3" but not "03". Locate would compare the field's text as a number instead;
//     TDataSet::Lookup therefore searches for such keys rather than use the index.
//   - A key with a Null or Unassigned part finds nothing, and records whose key has a Null part
//     are left out. (TDataSet::Lookup searches for such keys: there Null finds Null.)
// Records the data set's filter rejects are left out; among records with equal keys the first in
// the data set's order wins, as with Locate. Key fields of other types (objects, arrays,
// variants) cannot be indexed (CanIndex); their lookups search.
//
// Freshness. An index remembers the data set's DataVersion it was built at; whoever holds it
// rebuilds it when the data set's number moved on (see TDataSet::DataVersion).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Variant.h"

namespace kel {

class TDataSet;
class TField;

class TLookupIndex {
 public:
  // KeyFields and ResultFields: ";"-separated names of the indexed data set's fields.
  TLookupIndex(const String& KeyFields, const String& ResultFields);

  const String& KeyFields() const { return FKeyFields; }
  const String& ResultFields() const { return FResultFields; }
  // Whether DataSet's KeyFields are all of types an index can hold; raises EDatabaseError for an
  // unknown name.
  static bool CanIndex(const TDataSet* DataSet, const String& KeyFields);

  // Reads every record of the open DataSet (without moving its current record) and remembers
  // DataSet's DataVersion. Raises EDatabaseError for an unknown field; the index is then empty
  // and not built.
  void Build(TDataSet* DataSet);
  bool Built() const { return FBuilt; }
  // True while Build runs: a lookup that cycles back into the index being built finds nothing.
  bool Building() const { return FBuilding; }
  std::uint64_t Version() const { return FVersion; }
  int Count() const { return static_cast<int>(FEntries.size()); }

  // The result value(s) of the record whose keys equal Keys (one per key field; a variant array
  // for several result fields); null when there is none.
  const Variant* Find(std::span<const Variant> Keys) const;
  // Whether Find answers for Keys what a search without options (Locate) would.
  bool AnswersLikeSearch(std::span<const Variant> Keys) const;

 private:
  // How the keys of one key field compare (see the top of this file).
  struct TKeyPart {
    bool Text = false;                     // text field: byte-wise; else by numeric value
    std::optional<TVarType> TextTarget;    // number fields: the type a text key converts to
  };
  // Hashes the encoded keys, and string views of them, so looking up needs no String.
  struct TKeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view Key) const { return std::hash<std::string_view>()(Key); }
  };

  static TKeyPart PartFor(const TField* Field);
  // Appends Keys in canonical form to Key; false when they can equal no record's keys.
  bool Encode(std::span<const Variant> Keys, String& Key) const;
  static bool AppendPart(const TKeyPart& Part, const Variant& Value, String& Key);
  static void AppendNumber(const Variant& Value, String& Key);

  String FKeyFields;                       // as given
  String FResultFields;                    // as given
  std::vector<TKeyPart> FParts;            // per key field, set by Build
  std::unordered_map<String, Variant, TKeyHash, std::equal_to<>> FEntries;  // encoded key -> result
  mutable String FProbe;                   // Find's encoded key, kept to spare an allocation per call
  std::uint64_t FVersion = 0;              // the data set's DataVersion at the last Build
  bool FBuilt = false;                     // Build completed since the last failure
  bool FBuilding = false;                  // Build is running
};

}  // namespace kel
