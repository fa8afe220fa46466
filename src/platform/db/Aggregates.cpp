// The base data set computes no aggregate: callers read the records.
#include "platform/db/Aggregates.h"

#include "platform/db/DataSet.h"

namespace kel {

TAggregateKinds TDataSet::SupportedAggregates(const TField*, TAggregateNulls) const { return {}; }

std::vector<TAggregateResult> TDataSet::ComputeAggregates(const std::vector<TAggregateRequest>& Requests) {
  return std::vector<TAggregateResult>(Requests.size());
}

}  // namespace kel
