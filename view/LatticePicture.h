#pragma once

#include "DC.h"
#include "LatticeNodes.h"
#include "NodeSets.h"
#include "PictureOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class LatticeDocument;

namespace quib {

// The logical y of a page's top edge, where no imported summary line needs
// more room above the primary one.
inline constexpr int kPageTop = 25;

// The farthest right and the lowest logical point a picture reaches, and
// the top edge it needs: all a page needs to hold it.
struct PictureCorner {
    double right = 0;
    double bottom = 0;
    int top = kPageTop;
};

// A box in a device's pixels, from the page's top-left corner.
struct PixelBox {
    double left;
    double top;
    double right;
    double bottom;
};

// The drawing grid at one scale, in logical units: a node's centre lies at
// ((grid x - xOrigin) * xUnit, (level - yOrigin) * yUnit).
struct PictureGeometry {
    int xOrigin;
    int radius;
    int xUnit;
    int yUnit;
    float yOrigin;

    static PictureGeometry AtScale(int scale);
};

// Grid steps between the primary diagram's x origin and the imported one's.
inline constexpr int kImportedShift = 20;

// A node of a diagram: dataset 0 is the primary one, 1 the imported one.
struct NodeHit {
    int dataset;
    int node;
};

// A surface's printable area, in device pixels.
struct PrintableArea {
    int width;
    int height;
};

// What the picture writes where there is no data.
inline constexpr char kNoDataText[] = "No data available";

// A text at each node of the lattice, such as a figure over many records,
// and a line above that says what they are.
struct LatticeTexts {
    std::string caption;
    std::array<std::string, kNodeCount> nodes;
};

// The picture of one record: the primary record as the Hasse diagram of the
// subset lattice, its imported partner beside it, each with its summary line.
// Drawn on any surface, in hundredths of an inch with y growing upwards, so
// the window, the printer and the exported files show the same picture. A
// value: it reads the record's values once and changes nothing.
class LatticePicture {
  public:
    // A point in logical units.
    struct Point {
        int x;
        int y;
    };

    // The record of `options` laid out for a device: its texts measured on
    // `surface`, the device's own or one of its resolution. The picture then
    // owns its page: the mapping between the device's pixels and logical
    // units, and its extent.
    LatticePicture(const LatticeDocument& data, const PictureOptions& options, CDC* surface);
    // One diagram whose nodes hold `texts` in place of values, the caption in
    // place of the summary line; the options' scale and font.
    LatticePicture(const LatticeTexts& texts, const PictureOptions& options, CDC* surface);

    // How many pictures the program has built so far: a state shown is
    // built once, whoever draws or measures it.
    static unsigned long Built();

    // One logical unit is 1/100 inch, y grows upwards and the surface's
    // top-left corner is the logical point (0, top), which it returns: kPageTop,
    // or higher where the imported summary line needs room above the
    // primary one (a font taller than 10 units).
    int Prepare(CDC* pDC) const;
    // The same, and where the picture is larger than `printable` it is
    // scaled down, aspect kept, until it fits, its top-left corner staying
    // at the surface's; a picture that fits is prepared as above.
    int Prepare(CDC* pDC, PrintableArea printable) const;
    // The whole picture, on a surface that Prepare has set up.
    void Draw(CDC* pDC) const;
    // One diagram, `xOrigin` in grid steps.
    void DrawDataset(CDC* pDC, int dataset, int xOrigin) const;

    bool IsMinimalNode(int dataset, int node) const;
    // Whether the node differs from its partner, in the nodes both files
    // give: false without an import shown or without a partner.
    bool NodeDiffers(int node) const;

    // Where the picture ends, its texts measured in the fonts they are drawn
    // in, and its top edge.
    const PictureCorner& Extent() const { return m_extent; }
    // The summary lines Draw writes: none without data, then the primary
    // record's and, with an import shown, its partner's.
    std::vector<std::string> SummaryLines() const;
    // The node whose circle holds a point of the device, in pixels from the
    // page's top-left corner, if any.
    std::optional<NodeHit> NodeAt(double pixelX, double pixelY) const;
    // A node's circle on the device, in pixels from the page's top-left
    // corner.
    PixelBox NodeBox(NodeHit hit) const;
    // The centre of a node's circle, in logical units.
    Point NodeCentre(NodeHit hit) const;
    // A node's value as drawn: the number, or "/" where it is missing.
    std::string ValueText(int dataset, int node) const;
    // What a node holds, for a person: its subset, such as "{A, B, D}", and
    // its value; with an import shown, its value in both diagrams. A value
    // drawn "/" is told as its number and "(drawn /)"; "no record" where
    // there is no record or no partner, and, for the values as read, "not in
    // the file" for a node that the file's dimension does not give.
    std::string NodeDescription(int node) const;

    bool HasData() const { return m_hasData; }
    bool ShowsImported() const { return m_showsImported; }
    const PictureGeometry& Geometry() const { return m_geometry; }
    const PictureOptions& Options() const { return m_options; }

  private:
    // One diagram's record as shown.
    struct Shown {
        std::int64_t values[kNodeCount];
        NodeMask missing;
        NodeMask minimal;
        std::array<std::string, kNodeCount> texts; // as drawn
        std::string summary;
    };
    // The page laid out on `surface` once the diagrams are known.
    void LayOut(CDC* surface);
    Point Centre(int node, int xOrigin) const;
    Point LabelPosition(Point centre) const;
    Point ValuePosition(Point centre, bool missing) const;
    // A node's value as drawn: its text, where it begins and, where the
    // picture's font (selected on pDC) makes it run into the next circle of
    // its level, the smaller font it is drawn in.
    struct DrawnValue {
        Point at;
        std::string text;
        std::optional<LOGFONT> smaller;
    };
    DrawnValue Value(CDC* pDC, int dataset, int node, Point centre) const;
    // Where a summary line stands, measured in the font selected on pDC.
    Point SummaryPosition(CDC* pDC, int dataset) const;
    PictureCorner MeasureExtent(CDC* pDC) const;
    // Logical units to the device's pixels and back.
    double PixelX(double x) const { return x * m_dpiX / 100.0; }
    double PixelY(double y) const { return (m_extent.top - y) * m_dpiY / 100.0; }
    int DatasetCount() const { return m_showsImported ? 2 : 1; }

    const PictureOptions m_options;
    const PictureGeometry m_geometry;
    bool m_hasData;
    bool m_showsImported;
    bool m_hasPartner;
    // The primary record's number, where one is shown.
    std::optional<std::int32_t> m_recordNumber;
    int m_primaryDim;
    int m_importedDim;
    int m_dpiX = 96;
    int m_dpiY = 96;
    PictureCorner m_extent;
    Shown m_shown[2];
    NodeMask m_differing;
};

// The fill of a node that differs from its partner: light enough for the
// value to stay legible on paper too.
inline constexpr COLORREF kDifferenceFill = RGB(0xd4, 0xd4, 0xd4);

} // namespace quib
