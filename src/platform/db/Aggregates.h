// Aggregates a data set computes over all its records by itself, where it can do that cheaper
// than a caller reading every record: a database answers SUM or COUNT without sending its rows.
//
// A data set class declares per field which kinds it can compute (SupportedAggregates) and
// computes a batch of requests at once (ComputeAggregates); the base TDataSet computes none, so
// callers fall back to reading records. The answers equal what a walk over the records gives
// when it reads each record's Field->Value() and combines the values with Variant arithmetic and
// comparison, nulls treated as the request says:
//   anExclude  a Null value does not count;
//   anInclude  a Null value counts (Count, Avg's divisor, First/Last/Unique see it; Max skips it
//              unless every value is Null, Min answers Null, since Null orders first);
//   anAsZero   a Null value counts as Integer 0.
// akSum adds the numeric values (an integer field sums to an Integer while the sum fits, else an
// Int64); akAvg divides that sum by the counted records (a Double); akCount counts; akMax and
// akMin keep the greatest and least; akFirst and akLast the first and last counted value in
// record order; akUnique the common value, or Null when the counted values differ. A result
// with no counted record, or without any numeric value for Sum and Avg, is Unassigned.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/Variant.h"

namespace kel {

class TField;

enum TAggregateKind : std::uint8_t { akSum, akAvg, akCount, akMax, akMin, akFirst, akLast, akUnique };
using TAggregateKinds = TSet<TAggregateKind>;

// How a Null field value takes part (see above).
enum TAggregateNulls : std::uint8_t { anExclude, anInclude, anAsZero };

struct TAggregateRequest {
  TField* Field = nullptr;  // a data field of the data set asked
  TAggregateKind Kind = akSum;
  TAggregateNulls Nulls = anExclude;
};

struct TAggregateResult {
  bool Computed = false;  // false: the data set did not compute it; read the records instead
  Variant Value;          // the aggregate; Unassigned when no record counted
};

// Every kind.
inline constexpr TAggregateKinds AllAggregates{akSum, akAvg, akCount, akMax, akMin, akFirst, akLast, akUnique};

}  // namespace kel
