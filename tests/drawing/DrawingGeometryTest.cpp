#include "DrawingFixture.h"

#include "LatticeTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <tuple>
#include <utility>

namespace {

using Op = RecordedCall::Op;

Values Filled(int value) {
    Values values;
    values.fill(value);
    return values;
}

class DrawingGeometry : public DrawingFixture, public ::testing::Test {
  protected:
    // Per node: its circle, label and value, in the order drawn: the two
    // texts after each circle.
    struct Node {
        RecordedCall circle, label, value;
    };
    static std::vector<Node> Nodes(const std::vector<RecordedCall>& calls) {
        std::vector<Node> nodes;
        int texts = 2;
        for (const RecordedCall& call : calls) {
            if (call.op == Op::Ellipse) {
                nodes.push_back({call, {}, {}});
                texts = 0;
            } else if (call.op == Op::TextOut && texts < 2) {
                (texts++ == 0 ? nodes.back().label : nodes.back().value) = call;
            }
        }
        return nodes;
    }
};

TEST_F(DrawingGeometry, WorkedExampleAtScaleFour) {
    Values values = Filled(0);
    values[0] = 7;
    values[31] = -32000;
    SetPrimary({{1, values}});
    SetImported({{1, Filled(0)}});
    const std::vector<Node> nodes = Nodes(Paint());
    ASSERT_EQ(nodes.size(), 64u);

    EXPECT_EQ(nodes[0].circle.args, (std::vector<int>{336, -456, 368, -424}));
    EXPECT_EQ(nodes[0].label.text, "{}");
    EXPECT_EQ(nodes[0].label.args, (std::vector<int>{364, -448}));
    EXPECT_EQ(nodes[0].value.text, "7");
    EXPECT_EQ(nodes[0].value.args, (std::vector<int>{347, -433}));

    EXPECT_EQ(nodes[31].circle.args, (std::vector<int>{336, -56, 368, -24}));
    EXPECT_EQ(nodes[31].label.text, "abcde");
    EXPECT_EQ(nodes[31].value.text, "/");
    EXPECT_EQ(nodes[31].value.args, (std::vector<int>{350, -33}));

    // The imported diagram, 20 grid steps (640 units) to the right.
    EXPECT_EQ(nodes[32].circle.args, (std::vector<int>{976, -456, 1008, -424}));
    for (int n = 0; n < 32; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(nodes[32 + n].circle.args[0], nodes[n].circle.args[0] + 640);
        EXPECT_EQ(nodes[32 + n].circle.args[1], nodes[n].circle.args[1]);
        EXPECT_EQ(nodes[32 + n].label.args[0], nodes[n].label.args[0] + 640);
    }
}

TEST_F(DrawingGeometry, WorkedExampleAtScaleTwo) {
    Values values = Filled(0);
    values[31] = 12;
    SetPrimary({{1, values}});
    m_options.scale = 2;
    const std::vector<Node> nodes = Nodes(Paint());
    ASSERT_EQ(nodes.size(), 32u);
    EXPECT_EQ(nodes[31].circle.args, (std::vector<int>{168, -28, 184, -12}));
    EXPECT_EQ(nodes[31].label.args, (std::vector<int>{182, -29}));
    EXPECT_EQ(nodes[31].value.text, "12");
    EXPECT_EQ(nodes[31].value.args, (std::vector<int>{173, -12}));
}

class LabelOffsets : public DrawingGeometry, public ::testing::WithParamInterface<int> {};

TEST_P(LabelOffsets, LabelsAndValuesSitAtTheScalesOffset) {
    const int s = GetParam();
    const int d = s == 2 ? -9 : -8;
    Values values = Filled(5);
    values[3] = -32001;
    SetPrimary({{1, values}});
    m_options.scale = s;
    const std::vector<Node> nodes = Nodes(Paint());
    ASSERT_EQ(nodes.size(), 32u);
    for (int n = 0; n < 32; ++n) {
        SCOPED_TRACE(n);
        const int cx = (NodeTable[n].gridX + 12) * 8 * s;
        const int cy = 20 * s * NodeTable[n].level - 110 * s;
        EXPECT_EQ(nodes[n].circle.args,
                  (std::vector<int>{cx - 4 * s, cy - 4 * s, cx + 4 * s, cy + 4 * s}));
        EXPECT_EQ(nodes[n].label.text, quib::DisplayLabel(n));
        EXPECT_EQ(nodes[n].label.args, (std::vector<int>{cx + 3 * s, cy + d}));
        const int valueX = n == 3 ? cx - 2 : cx - s - 1;
        EXPECT_EQ(nodes[n].value.args, (std::vector<int>{valueX, cy - d - 1}));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, LabelOffsets, ::testing::Values(1, 2, 3, 4));

// A value runs right from its place, and its room ends at the next circle of
// its level: 13s + 1 units at levels 2 and 3, 29s + 1 at the others. On the
// recording surface the picture's font is 12 units high and 6 a character;
// a font of height h is h / 2 a character.
struct LongValue {
    int scale;
    int node;
    int value;
    int height; // of the smaller font it is drawn in; 0 for the picture's own
};

class LongValues : public DrawingGeometry, public ::testing::WithParamInterface<LongValue> {};

TEST_P(LongValues, TakeTheLargestSmallerFontThatKeepsThemInTheirRoom) {
    const auto [s, node, value, height] = GetParam();
    const int d = s == 2 ? -9 : -8;
    Values values = Filled(0);
    values[node] = value;
    SetPrimary({{1, values}});
    m_options.scale = s;
    m_options.font.lfWeight = 700;
    std::strcpy(m_options.font.lfFaceName, "DejaVu Serif");
    const std::vector<Node> nodes = Nodes(Paint());
    ASSERT_EQ(nodes.size(), 32u);
    const int pictureFont = nodes[0].label.font;
    for (int n = 0; n < 32; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(nodes[n].label.font, pictureFont);
        EXPECT_EQ(nodes[n].value.font != pictureFont, n == node && height != 0);
    }

    // Drawn where the Part begins it, whatever its size.
    const RecordedCall& drawn = nodes[node].value;
    EXPECT_EQ(drawn.text, std::to_string(value));
    const int cx = (NodeTable[node].gridX + 12) * 8 * s;
    const int cy = 20 * s * NodeTable[node].level - 110 * s;
    EXPECT_EQ(drawn.args, (std::vector<int>{cx - s - 1, cy - d - 1}));
    if (height == 0)
        return;
    const LOGFONT& smaller = m_dc.FontDescription(drawn.font);
    EXPECT_EQ(smaller.lfHeight, height);
    EXPECT_EQ(smaller.lfWeight, 700);
    EXPECT_STREQ(smaller.lfFaceName, "DejaVu Serif");
    const int level = NodeTable[node].level;
    const int roomEnd = cx + (level == 2 || level == 3 ? 12 : 28) * s;
    const double width = drawn.text.size() * height / 2.0;
    // Within its room, unless even half the picture's size is too wide.
    if (height > 6)
        EXPECT_LE(drawn.args[0] + width, roomEnd);
    else
        EXPECT_GT(drawn.args[0] + width, roomEnd);
    EXPECT_EQ(m_dc.SelectedFont(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    AtEveryLevel, LongValues,
    ::testing::Values(LongValue{4, 6, 1234567890, 10},  // 60 units in a room of 53
                      LongValue{4, 1, 1234567890, 0},   // room 117
                      LongValue{4, 16, 12345678, 0},    // 48 in 53
                      LongValue{1, 1, 12345, 0},        // exactly its room, 30
                      LongValue{1, 1, 123456, 10},      // 36 in 30
                      LongValue{1, 6, 12345678, 6},     // half size still 24 in 14
                      LongValue{2, 31, 1234567890, 11}, // 60 in 59
                      LongValue{3, 0, 1234567890, 0},   // room 88
                      LongValue{3, 25, 1234567, 11}));  // the last of its level: 42 in 40

TEST_F(DrawingGeometry, LinesFollowTheEdgeTableBeforeAnyCircle) {
    SetPrimary({{1, Filled(1)}});
    m_options.scale = 3;
    const std::vector<RecordedCall> calls = Paint();
    ASSERT_GE(calls.size(), 160u);
    for (int e = 0; e < quib::kEdgeCount; ++e) {
        SCOPED_TRACE(e);
        const auto centre = [](int n) {
            return std::vector<int>{(NodeTable[n].gridX + 12) * 24, 60 * NodeTable[n].level - 330};
        };
        EXPECT_EQ(calls[2 * e].op, Op::MoveTo);
        EXPECT_EQ(calls[2 * e].args, centre(EdgeTable[e].lower));
        EXPECT_EQ(calls[2 * e + 1].op, Op::LineTo);
        EXPECT_EQ(calls[2 * e + 1].args, centre(EdgeTable[e].upper));
        EXPECT_EQ(calls[2 * e].pen, 0) << "lines use the surface's pen";
    }
    EXPECT_EQ(Only({calls.begin(), calls.begin() + 160}, Op::Ellipse).size(), 0u);
    EXPECT_EQ(Only(calls, Op::MoveTo).size(), 80u);
}

TEST_F(DrawingGeometry, MissingMarkOnlyBelowMinus31999) {
    Values values = Filled(0);
    values[4] = -32000;
    values[5] = -31999;
    values[6] = -2147483647 - 1;
    SetPrimary({{9, values}});
    const std::vector<RecordedCall> calls = Paint();
    const std::vector<Node> nodes = Nodes(calls);
    EXPECT_EQ(nodes[4].value.text, "/");
    EXPECT_EQ(nodes[5].value.text, "-31999");
    EXPECT_EQ(nodes[6].value.text, "/");
    EXPECT_EQ(nodes[7].value.text, "0");
    EXPECT_EQ(Only(calls, Op::TextOut).back().text, SummaryText("9", values));
}

TEST_F(DrawingGeometry, NoDataAvailableAloneWhenThePrimaryDatasetIsEmpty) {
    SetImported({{1, Filled(3)}});
    m_document.m_nPrimaryDim = -1;
    const std::vector<RecordedCall> calls = Paint();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, Op::TextOut);
    EXPECT_EQ(calls[0].text, "No data available");
    EXPECT_EQ(calls[0].args, (std::vector<int>{10, 10}));
    EXPECT_EQ(calls[0].font, 0);
}

TEST_F(DrawingGeometry, ImportedDimensionZeroDrawsThePrimaryAlone) {
    SetPrimary({{1, Filled(1)}});
    SetImported({{1, Filled(2)}});
    m_document.m_nImportedDim = 0;
    EXPECT_EQ(Only(Paint(), Op::Ellipse).size(), 32u);
}

// A taller font moves the imported line one line of its own above the
// primary one, and the top edge with it, so that neither is covered or cut.
TEST_F(DrawingGeometry, SummaryLinesStandAFontsHeightApart) {
    SetPrimary({{1, Filled(1)}});
    for (const int height : {-10, -9, 0, -23}) {
        SCOPED_TRACE(height);
        m_options.font.lfHeight = height;
        const int lineHeight = height != 0 ? -height : int(RecordingDC::kTextHeight);
        const int step = std::max(10, lineHeight);
        EXPECT_EQ(Picture().Prepare(&m_dc), 25) << "without an import nothing moves";
        SetImported({{1, Filled(2)}});
        const std::size_t start = m_dc.Calls().size();
        EXPECT_EQ(Picture().Prepare(&m_dc), 15 + step);
        EXPECT_EQ(Only({m_dc.Calls().begin() + start, m_dc.Calls().end()}, Op::OffsetWindowOrg)
                      .back()
                      .args,
                  (std::vector<int>{0, 15 + step}));
        const std::vector<RecordedCall> texts = Only(Paint(), Op::TextOut);
        EXPECT_EQ(texts[64].args, (std::vector<int>{10, 10}));
        EXPECT_EQ(texts[129].args, (std::vector<int>{10, 10 + step}));
        EXPECT_EQ(Picture().Extent().top, 15 + step);
        m_document.m_nImportedDim = -1;
    }
}

TEST_F(DrawingGeometry, SummaryLinesWithAndWithoutImport) {
    Values first = Filled(0), second = Filled(0), imported = Filled(0);
    first[0] = 11;
    first[31] = -5;
    second[2] = 22;
    imported[1] = 33;
    SetPrimary({{41, first}, {42, second}});
    // A font 10 units tall: the lines stand 10 units apart.
    m_options.font.lfHeight = -10;

    std::vector<RecordedCall> texts = Only(Paint(), Op::TextOut);
    EXPECT_EQ(texts.back().text, SummaryText("41", first));
    EXPECT_EQ(texts.back().args, (std::vector<int>{10, 10}));

    SetImported({{41, imported}});
    texts = Only(Paint(), Op::TextOut);
    ASSERT_EQ(texts.size(), 2u * 65);
    EXPECT_EQ(texts[64].text, SummaryText("41", first));
    EXPECT_EQ(texts[64].args, (std::vector<int>{10, 10}));
    EXPECT_EQ(texts[129].text, SummaryText("41", imported));
    EXPECT_EQ(texts[129].args, (std::vector<int>{10, 20}));

    // Record 42 has no partner: its imported side reads as missing.
    m_options.record = 1;
    const std::vector<Node> nodes = Nodes(Paint());
    texts = Only(Paint(), Op::TextOut);
    EXPECT_EQ(texts[64].text, SummaryText("42", second));
    EXPECT_EQ(texts[129].text, SummaryText("42", Filled(NO_RECORD_VALUE)));
    for (int n = 32; n < 64; ++n)
        EXPECT_EQ(nodes[n].value.text, "/");

    // Past the primary dataset's end: no record number to show.
    m_options.record = 2;
    texts = Only(Paint(), Op::TextOut);
    EXPECT_EQ(texts[64].text, SummaryText("-", Filled(NO_RECORD_VALUE)));
    EXPECT_EQ(texts[129].text, SummaryText("-", Filled(NO_RECORD_VALUE)));
}

// Texts measure 6 units a character by 12 on the recording surface. At scale
// 4 the label "cde" of node 25 reaches farthest right (circle centre 640,
// label at 652, 18 wide) and the label "{}" lowest (at -448, 12 high); the
// imported diagram lies 640 units further right.
TEST_F(DrawingGeometry, CornerIsWhereTheFarthestTextsEnd) {
    SetPrimary({{1, Filled(0)}});
    quib::PictureCorner corner = Picture().Extent();
    EXPECT_EQ(corner.right, 670);
    EXPECT_EQ(corner.bottom, -460);

    SetImported({{1, Filled(0)}});
    corner = Picture().Extent();
    EXPECT_EQ(corner.right, 1310);
    EXPECT_EQ(corner.bottom, -460);

    // Without a partner the imported summary line, 13 + 32 * 7 + 1
    // characters from x = 10, reaches beyond the diagrams.
    m_document.m_importedRecords.RemoveAll();
    m_document.AlignImportedRecords();
    corner = Picture().Extent();
    EXPECT_EQ(corner.right, 10 + 6 * (13 + 32 * 7 + 1));

    // A long value at DE (centre 640, level 2) measures in its smaller font:
    // 10 characters from 635 in a font 10 units high.
    Values longValue = Filled(0);
    longValue[15] = 1234567890;
    m_document.m_primaryRecords.RemoveAll();
    SetPrimary({{1, longValue}});
    m_document.m_nImportedDim = -1;
    corner = Picture().Extent();
    EXPECT_EQ(corner.right, 635 + 10 * 5);

    m_document.m_nPrimaryDim = -1;
    corner = Picture().Extent();
    EXPECT_EQ(corner.right, 10 + 6 * 17);
    EXPECT_EQ(corner.bottom, 10 - 12);
}

// On a page the picture is scaled down, aspect kept, about its top-left
// corner (0, top) where it is larger than the printable area, and left as it
// is where it fits. At 100 pixels per inch a pixel is a logical unit: with an
// import the picture reaches 1310 units right, and from 27 down to -460.
TEST_F(DrawingGeometry, APrintedPictureIsScaledDownToFitThePage) {
    SetPrimary({{1, Filled(0)}});
    SetImported({{1, Filled(0)}});
    const auto scaled = [this](int width, int height) -> std::optional<XFORM> {
        RecordingDC dc(100, width, height);
        EXPECT_EQ(Picture().Prepare(&dc, {width, height}), 27);
        if (Only(dc.Calls(), Op::SetWorldTransform).empty())
            return std::nullopt;
        return dc.WorldTransform();
    };
    EXPECT_FALSE(scaled(1310, 487));
    EXPECT_FALSE(scaled(5000, 5000));
    for (const auto& [width, height, factor] :
         {std::tuple{655, 5000, 0.5}, {1309, 487, 1309.0 / 1310}, {5000, 100, 100.0 / 487}}) {
        SCOPED_TRACE(width);
        const std::optional<XFORM> transform = scaled(width, height);
        ASSERT_TRUE(transform);
        EXPECT_FLOAT_EQ(transform->eM11, factor);
        EXPECT_FLOAT_EQ(transform->eM22, factor);
        EXPECT_EQ(transform->eM12, 0);
        EXPECT_EQ(transform->eM21, 0);
        EXPECT_EQ(transform->eDx, 0);
        EXPECT_FLOAT_EQ(transform->eDy, 27 * (1 - factor));
    }
}

// At scale 4 node 0's circle is centred on (352, -440) with radius 16, in
// the imported diagram on (992, -440). At 100 dots per inch a pixel is a
// logical unit, counted down from the top edge at 25.
TEST_F(DrawingGeometry, NodesAreFoundByTheirCirclesAndTellWhatTheyHold) {
    Values values = Filled(0);
    values[17] = 144;
    values[0] = -32001;
    SetPrimary({{1, values}});
    using Hit = std::optional<std::pair<int, int>>;
    RecordingDC hundred(100);
    const auto at = [this, &hundred](double x, double y) -> Hit {
        const auto hit = quib::LatticePicture(m_document, m_options, &hundred).NodeAt(x, 25 - y);
        return hit ? Hit({hit->dataset, hit->node}) : std::nullopt;
    };
    EXPECT_EQ(at(352, -440), Hit({0, 0}));
    EXPECT_EQ(at(352 + 11, -440 - 11), Hit({0, 0}));
    EXPECT_EQ(at(352 + 12, -440 - 12), std::nullopt);
    EXPECT_EQ(at(992, -440), std::nullopt);
    EXPECT_EQ(Picture().NodeDescription(17), "{A, B, D}\nvalue: 144");

    SetImported({{1, Filled(7)}});
    EXPECT_EQ(at(992, -440), Hit({1, 0}));
    EXPECT_EQ(Picture().NodeDescription(31), "{A, B, C, D, E}\nprimary: 0\nimported: 7");
    m_document.m_nPrimaryDim = -1;
    EXPECT_EQ(at(352, -440), std::nullopt);
}

// "/" is told apart: a missing value the file holds, no record or no
// partner, and a node the file's dimension does not give.
TEST_F(DrawingGeometry, NodeDescriptionsTellWhyAValueIsDrawnAsSlash) {
    Values values = Filled(0);
    values[0] = -32001;
    values[6] = -40000;
    values[17] = 144;
    SetPrimary({{1, values}});
    EXPECT_EQ(Picture().NodeDescription(0), "{}\nvalue: -32001 (drawn /)");
    EXPECT_EQ(Picture().NodeDescription(6), "{A, B}\nvalue: -40000 (drawn /)");
    m_options.record = 1;
    EXPECT_EQ(Picture().NodeDescription(17), "{A, B, D}\nvalue: no record");

    m_options.record = 0;
    m_document.m_nPrimaryDim = 26;
    EXPECT_EQ(Picture().NodeDescription(0), "{}\nvalue: not in the file");
    EXPECT_EQ(Picture().NodeDescription(5), "{E}\nvalue: not in the file");
    EXPECT_EQ(Picture().NodeDescription(6), "{A, B}\nvalue: -40000 (drawn /)");
    // Transformed, every node has a value.
    values[0] = 0;
    values[6] = 0;
    m_document.m_primaryRecords.RemoveAll();
    SetPrimary({{1, values}});
    m_document.m_nPrimaryDim = 26;
    m_options.values = quib::ValueTransform::Supersets;
    EXPECT_EQ(Picture().NodeDescription(0), "{}\nvalue: 144");
    m_options.values = quib::ValueTransform::Read;

    SetImported({{2, Filled(7)}});
    EXPECT_EQ(Picture().NodeDescription(17), "{A, B, D}\nprimary: 144\nimported: no record");
    m_document.m_importedRecords.RemoveAll();
    SetImported({{1, Filled(-32001)}});
    m_document.m_nImportedDim = 26;
    EXPECT_EQ(Picture().NodeDescription(0),
              "{}\nprimary: not in the file\nimported: not in the file");
    EXPECT_EQ(Picture().NodeDescription(17), "{A, B, D}\nprimary: 144\nimported: -32001 (drawn /)");
}

} // namespace
