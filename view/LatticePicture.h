#pragma once

#include "DC.h"
#include "LatticeTables.h"

#include <string>
#include <vector>

class LatticeDocument;

// The farthest right and the lowest logical point a picture reaches; with
// its top-left corner at (0, 25) that is all a page needs to hold it.
struct PictureCorner {
    double right = 0;
    double bottom = 0;
};

// The picture of one record: the current record of the primary dataset as
// the Hasse diagram of the subset lattice, its imported partner beside it,
// each with its summary line. Drawn on any surface, in hundredths of an inch
// with y growing upwards, so the window, the printer and the exported files
// show the same picture. It reads the data one value at a time and keeps
// nothing between paints but its display state.
class LatticePicture {
  public:
    explicit LatticePicture(const LatticeDocument* data = nullptr);
    virtual ~LatticePicture() = default;

    // One logical unit is 1/100 inch, y grows upwards and the surface's
    // top-left corner is the logical point (0, 25).
    void Prepare(CDC* pDC) const;
    // The whole picture, on a surface that Prepare has set up.
    void Draw(CDC* pDC);
    // Dataset 0 is the primary one, 1 the imported one; xOrigin in grid steps.
    void DrawDataset(CDC* pDC, int dataset, int xOrigin);
    bool IsMinimalNode(int node) const;
    // Where the picture Draw would draw ends, its texts measured on pDC
    // (set up by Prepare) in the fonts they are drawn in.
    PictureCorner MeasureCorner(CDC* pDC);
    // The summary lines Draw writes: none without data, then the primary
    // record's and, with an import shown, its partner's.
    std::vector<std::string> SummaryLines() const;
    // The node whose circle holds the logical point (x, y), and in which
    // diagram (0 the primary, 1 the imported one); false for none.
    bool NodeAt(double x, double y, int& dataset, int& node);
    // What a node holds, for a person: its subset, such as "{A, B, D}", and
    // its value, or "no record" where it shows "/"; with an import shown,
    // its value in both diagrams.
    std::string NodeDescription(int node) const;

    // Geometry, recomputed from m_nScale at every paint, and display state.
    int m_nXOrigin = 0;
    int m_nRadius = 0;
    int m_nXUnit = 0;
    int m_nYUnit = 0;
    int m_nRecordIndex = 0;
    int m_nScale = 4;
    float m_fYOrigin = 0;
    LOGFONT m_logFont{};
    int m_nValues[quib::kNodeCount] = {};
    bool m_bHighlight = false;

    // Fills in both diagrams the nodes whose values differ between the
    // record and its imported partner.
    bool m_differences = false;
    // Whether node `node` differs from its partner: false without an import
    // shown or without a partner.
    bool NodeDiffers(int node) const;

  protected:
    // The data drawn.
    virtual const LatticeDocument* Data() const { return m_data; }
    // Every value the picture shows is read here, one at a time.
    virtual int NodeValue(int recordIndex, int node, int dataset) const;
    int PrimaryRecordCount() const;

  private:
    struct Point {
        int x;
        int y;
    };
    void SetGeometry();
    bool HasNoData() const;
    bool DrawsImported() const;
    Point Centre(int node, int xOrigin) const;
    Point LabelPosition(Point centre) const;
    Point ValuePosition(Point centre, int value) const;
    static Point SummaryPosition(int dataset);
    std::string SummaryLine(int dataset) const;

    const LatticeDocument* m_data;
};

// The value as a node shows it: "/" for a missing one.
std::string NodeValueText(int value);

// The fill of a node that differs from its partner: light enough for the
// value to stay legible on paper too.
inline constexpr COLORREF kDifferenceFill = RGB(0xd4, 0xd4, 0xd4);
