#pragma once

#include "LatticeDocument.h"
#include "NodeSets.h"
#include "OverviewMode.h"
#include "ValueTransform.h"

#include <cstdint>

// The values that whole-file figures show of a primary record, as the view
// shows them, together with the nodes that have none: missing ("/" as read,
// or a sum that such a value enters), not given by the file's dimension (as
// read), or of a record without a partner.

namespace quib {

class ShownRecords {
  public:
    ShownRecords(const LatticeDocument& document, ValueTransform transform);

    // The nodes that no record has a value of in `mode`: those that the
    // file's dimension does not give, as read.
    NodeMask Absent(OverviewMode mode) const;

    // Fills `shown` with primary record `index`'s values in `mode` and
    // returns the nodes without a value (whose `shown` is meaningless).
    NodeMask Read(OverviewMode mode, int index, std::int64_t shown[kNodeCount]) const;

  private:
    NodeMask Primary(int index, std::int64_t shown[kNodeCount]) const;
    NodeMask Partner(int index, std::int64_t shown[kNodeCount]) const;
    NodeMask Transformed(const std::int32_t read[kNodeCount], std::int64_t shown[kNodeCount],
                         NodeMask absent) const;

    const LatticeDocument& m_document;
    ValueTransform m_transform;
    // The nodes that a file's dimension does not give, as read: they read 0
    // but hold no value (with a transform every node has one).
    NodeMask m_primaryAbsent;
    NodeMask m_importedAbsent;
};

} // namespace quib
