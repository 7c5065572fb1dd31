#include "PictureNames.h"

#include "LatticeTables.h"

namespace quib {

int DrawnNodeCount(const LatticePicture& picture) {
    if (!picture.HasData())
        return 0;
    return picture.ShowsImported() ? 2 * kNodeCount : kNodeCount;
}

std::string PictureName(const LatticePicture& picture) {
    if (!picture.HasData())
        return kNoDataText;
    std::string name;
    for (const std::string& line : picture.SummaryLines())
        name += (name.empty() ? "" : "; ") + line;
    return name;
}

std::string NodeName(const LatticePicture& picture, NodeHit hit) {
    const PictureOptions& options = picture.Options();
    std::string name = hit.dataset == 1 ? "imported " : "";
    name += DisplayLabel(hit.node);
    name += ": " + picture.ValueText(hit.dataset, hit.node);
    if (options.highlight && picture.IsMinimalNode(hit.dataset, hit.node))
        name += ", minimal";
    if (options.differences && picture.NodeDiffers(hit.node))
        name += ", differs";
    return name;
}

} // namespace quib
