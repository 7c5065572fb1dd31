#pragma once

#include "LatticePicture.h"

#include <string>

namespace quib {

// The nodes a picture draws, in the order a keyboard visits them: the
// primary diagram's in node order, then the imported one's.
int DrawnNodeCount(const LatticePicture& picture);
inline NodeHit DrawnNode(int index) {
    return {index / kNodeCount, index % kNodeCount};
}
inline int DrawnIndex(NodeHit hit) {
    return hit.dataset * kNodeCount + hit.node;
}

// The picture as a screen reader tells it: the summary lines it writes,
// joined by "; ", or that there is no data.
std::string PictureName(const LatticePicture& picture);

// A node as a screen reader tells it: its label and its value as drawn, then
// what the picture marks on it: "ab: 48, minimal", "imported ab: 0, differs",
// "abc: /".
std::string NodeName(const LatticePicture& picture, NodeHit hit);

} // namespace quib
