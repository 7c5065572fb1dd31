#pragma once

// A view over an in-memory document, drawn on a recording surface.

#include "LatticeDocument.h"
#include "MyQuibView.h"
#include "RecordingDC.h"

#include <array>
#include <string>
#include <vector>

using Values = std::array<int, 32>;

// The view, counting the values it reads from its document.
class CountingView : public CMyQuibView {
  public:
    mutable int reads = 0;

  protected:
    int NodeValue(int recordIndex, int node, int dataset) const override {
        ++reads;
        return CMyQuibView::NodeValue(recordIndex, node, dataset);
    }
};

struct DrawnNode {
    int left, top, right, bottom; // the circle's box
    int pen;
};

class DrawingFixture {
  protected:
    DrawingFixture() { m_view.SetDocument(&m_document); }

    static void AddRecord(CLatticeRecordArray& records, int number, const Values& values);
    void SetPrimary(std::vector<std::pair<int, Values>> records);
    // Imported records by number, paired with the primary ones.
    void SetImported(std::vector<std::pair<int, Values>> records);

    // Prepares and paints on m_dc; returns the calls of the paint alone.
    std::vector<RecordedCall> Paint();

    static std::vector<RecordedCall> Only(const std::vector<RecordedCall>& calls,
                                          RecordedCall::Op op);
    static std::string SummaryText(const std::string& number, const Values& values);

    CLatticeDocument m_document;
    CountingView m_view;
    CRecordingDC m_dc;
};
