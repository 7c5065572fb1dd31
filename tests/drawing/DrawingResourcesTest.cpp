#include "DrawingFixture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Op = RecordedCall::Op;

Values Zero() {
    return Values{};
}

class DrawingResources : public DrawingFixture, public ::testing::Test {
  protected:
    // The outline width of each circle, in the order drawn.
    std::vector<int> OutlineWidths(const std::vector<RecordedCall>& calls) const {
        std::vector<int> widths;
        for (const RecordedCall& call : Only(calls, Op::Ellipse))
            widths.push_back(m_dc.PenDescription(call.pen).lopnWidth.x);
        return widths;
    }
    static std::set<int> Heavy(const std::vector<int>& widths, int first) {
        std::set<int> nodes;
        for (int n = 0; n < 32; ++n)
            if (widths[first + n] == 3)
                nodes.insert(n);
        return nodes;
    }
};

// Every node shows its own record's value, in both diagrams, whatever the
// order the imported records came in.
TEST_F(DrawingResources, EachNodeShowsTheValueOfItsRecord) {
    std::vector<std::pair<int, Values>> primary, imported;
    for (int number = 1; number <= 3; ++number) {
        Values values;
        for (int n = 0; n < 32; ++n)
            values[n] = number * 100 + n;
        primary.push_back({number, values});
        for (int& value : values)
            value = -value;
        imported.insert(imported.begin(), {number, values});
    }
    SetPrimary(primary);
    SetImported(imported);
    for (int record = 0; record < 3; ++record) {
        m_options.record = record;
        const std::vector<RecordedCall> texts = Only(Paint(), Op::TextOut);
        ASSERT_EQ(texts.size(), 2u * 65);
        for (int dataset = 0; dataset < 2; ++dataset)
            for (int n = 0; n < 32; ++n) {
                const int value = (record + 1) * 100 + n;
                EXPECT_EQ(texts[65 * dataset + 2 * n + 1].text,
                          std::to_string(dataset == 0 ? value : -value))
                    << record << " " << dataset << " " << n;
            }
    }
}

TEST_F(DrawingResources, OneFontAndThirtyTwoInsideFramePensPerDatasetEachReleased) {
    SetPrimary({{1, Zero()}});
    SetImported({{1, Zero()}});
    const std::vector<RecordedCall> calls = Paint();
    EXPECT_EQ(Only(calls, Op::CreateFont).size(), 2u);
    const std::vector<RecordedCall> pens = Only(calls, Op::CreatePen);
    ASSERT_EQ(pens.size(), 64u);
    for (const RecordedCall& pen : pens) {
        EXPECT_EQ(pen.args, (std::vector<int>{PS_INSIDEFRAME, 1}));
        EXPECT_EQ(m_dc.PenDescription(pen.object).lopnColor, 0u);
    }

    // Every pen and font is released, and never while it is selected.
    std::set<int> created, released;
    for (const RecordedCall& call : calls) {
        if ((call.op == Op::CreatePen || call.op == Op::CreateFont) && call.object)
            created.insert(call.object);
        if (call.op == Op::DeletePen) {
            released.insert(call.object);
            EXPECT_NE(call.pen, call.object);
        }
        if (call.op == Op::DeleteFont) {
            released.insert(call.object);
            EXPECT_NE(call.font, call.object);
        }
    }
    EXPECT_EQ(created.size(), 66u);
    EXPECT_EQ(released, created);
    EXPECT_EQ(m_dc.SelectedPen(), 0);
    EXPECT_EQ(m_dc.SelectedFont(), 0);

    // Each circle is drawn in its own pen; all text in the created font.
    for (const RecordedCall& call : Only(calls, Op::TextOut))
        EXPECT_NE(call.font, 0);
    std::set<int> circlePens;
    for (const RecordedCall& call : Only(calls, Op::Ellipse))
        circlePens.insert(call.pen);
    EXPECT_EQ(circlePens.size(), 64u);
}

TEST_F(DrawingResources, HeavyOutlinesExactlyOnMinimalNodesWhileHighlighting) {
    Values primary = Zero(), imported = Zero();
    primary[1] = 5;   // a: minimal
    primary[6] = 3;   // ab: above a positive a
    primary[13] = 4;  // cd: minimal, c and d are 0
    primary[25] = 2;  // cde: above a positive cd
    primary[0] = -7;  // negative: never minimal
    imported[2] = 1;  // b
    imported[31] = 9; // abcde, all below 0
    SetPrimary({{1, primary}});
    SetImported({{1, imported}});

    std::vector<int> widths = OutlineWidths(Paint());
    EXPECT_EQ(Heavy(widths, 0), (std::set<int>{}));
    EXPECT_EQ(Heavy(widths, 32), (std::set<int>{}));

    m_options.highlight = true;
    widths = OutlineWidths(Paint());
    ASSERT_EQ(widths.size(), 64u);
    EXPECT_EQ(Heavy(widths, 0), (std::set<int>{1, 13}));
    EXPECT_EQ(Heavy(widths, 32), (std::set<int>{2, 31}));
    for (int width : widths)
        EXPECT_TRUE(width == 1 || width == 3);
}

class PenFailure : public DrawingResources, public ::testing::WithParamInterface<int> {};

TEST_P(PenFailure, StopsThatDatasetAndRestoresItsFont) {
    const int n = GetParam();
    SetPrimary({{1, Zero()}});
    SetImported({{1, Zero()}});
    m_options.font.lfHeight = -10;
    m_dc.FailPenCreation(n + 1);
    const std::vector<RecordedCall> calls = Paint();

    const std::vector<RecordedCall> circles = Only(calls, Op::Ellipse);
    ASSERT_EQ(circles.size(), std::size_t(n + 32));
    const std::vector<RecordedCall> texts = Only(calls, Op::TextOut);
    ASSERT_EQ(texts.size(), std::size_t(2 * n + 65));
    EXPECT_EQ(texts.back().args, (std::vector<int>{10, 20}));
    for (const RecordedCall& text : texts)
        EXPECT_NE(text.args, (std::vector<int>{10, 10})) << "the primary summary line is left out";

    // The first font is selected back and released before the import's is made.
    std::vector<int> fontSequence;
    for (const RecordedCall& call : calls)
        if (call.op == Op::SelectFont || call.op == Op::DeleteFont || call.op == Op::CreateFont)
            fontSequence.push_back(call.op == Op::CreateFont ? -call.object : call.object);
    const int first = -fontSequence[0];
    EXPECT_EQ(fontSequence, (std::vector<int>{-first, first, 0, first, fontSequence[4],
                                              -fontSequence[4], 0, -fontSequence[4]}));
    EXPECT_EQ(m_dc.SelectedFont(), 0);
    EXPECT_EQ(m_dc.SelectedPen(), 0);
    EXPECT_EQ(Only(calls, Op::MoveTo).size(), 160u);
}

INSTANTIATE_TEST_SUITE_P(AtNode, PenFailure, ::testing::Values(0, 1, 17, 31));

TEST_F(DrawingResources, FontFailureWritesInTheSurfacesFontAndRestoresNothing) {
    SetPrimary({{1, Zero()}});
    SetImported({{1, Zero()}});
    // The first font measures the summary lines' height while preparing.
    m_dc.FailFontCreation(2);
    const std::vector<RecordedCall> calls = Paint();
    const std::vector<RecordedCall> texts = Only(calls, Op::TextOut);
    ASSERT_EQ(texts.size(), 130u);
    for (int k = 0; k < 65; ++k)
        EXPECT_EQ(texts[k].font, 0);
    for (int k = 65; k < 130; ++k)
        EXPECT_NE(texts[k].font, 0);
    // Only the import's font is ever selected: itself, then the surface's back.
    const std::vector<RecordedCall> selections = Only(calls, Op::SelectFont);
    ASSERT_EQ(selections.size(), 2u);
    EXPECT_NE(selections[0].object, 0);
    EXPECT_EQ(selections[1].object, 0);
    EXPECT_EQ(Only(calls, Op::Ellipse).size(), 64u);
}

TEST_F(DrawingResources, TheViewsFontDescriptionIsUsedAsStored) {
    SetPrimary({{1, Zero()}});
    m_options.font.lfHeight = -14;
    m_options.font.lfWeight = 700;
    const std::vector<RecordedCall> calls = Paint();
    const std::vector<RecordedCall> fonts = Only(calls, Op::CreateFont);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(m_dc.FontDescription(fonts[0].object).lfHeight, -14);
    EXPECT_EQ(m_dc.FontDescription(fonts[0].object).lfWeight, 700);
    m_options.scale = 1;
    EXPECT_EQ(m_dc.FontDescription(Only(Paint(), Op::CreateFont)[0].object).lfHeight, -14);
}

// Exactly the nodes whose values differ from the partner's are filled, in
// both diagrams, their values written on the fill; nothing without a
// partner or without an import shown, nothing while it is off. A value
// drawn "/" differs from a number, never from another "/".
TEST_F(DrawingResources, DifferingNodesAreFilledInBothDiagrams) {
    Values primary = Zero(), imported = Zero();
    primary[3] = 5;
    imported[3] = 6;
    primary[20] = -32001;
    imported[31] = 1;
    primary[7] = -32000;
    imported[7] = -32001;
    SetPrimary({{1, primary}, {2, primary}});
    SetImported({{1, imported}});
    const auto filled = [this] {
        std::vector<int> nodes;
        const std::vector<RecordedCall> circles = Only(Paint(), Op::Ellipse);
        for (std::size_t k = 0; k < circles.size(); ++k)
            if (circles[k].fill != RGB(255, 255, 255)) {
                EXPECT_EQ(circles[k].fill, quib::kDifferenceFill);
                nodes.push_back(int(k));
            }
        return nodes;
    };
    EXPECT_TRUE(filled().empty());
    m_options.differences = true;
    EXPECT_EQ(filled(), (std::vector<int>{3, 20, 31, 32 + 3, 32 + 20, 32 + 31}));
    // The value inside a filled circle stands on the fill; labels and the
    // summary line stay on white. Per dataset: label and value of each node,
    // then the summary line.
    const std::vector<RecordedCall> texts = Only(Paint(), Op::TextOut);
    ASSERT_EQ(texts.size(), 130u);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const std::size_t inDataset = k % 65;
        const int node = int(inDataset) / 2;
        const bool value = inDataset < 64 && inDataset % 2 == 1;
        const bool differs = node == 3 || node == 20 || node == 31;
        EXPECT_EQ(texts[k].bk, value && differs ? quib::kDifferenceFill : RGB(255, 255, 255)) << k;
    }
    // Record 2 has no partner.
    m_options.record = 1;
    EXPECT_TRUE(filled().empty());
    m_options.record = 0;
    m_document.m_nImportedDim = 0;
    EXPECT_TRUE(filled().empty());
}

} // namespace
