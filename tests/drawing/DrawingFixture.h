#pragma once

// The picture of an in-memory document, drawn on a recording surface.

#include "LatticeDocument.h"
#include "LatticePicture.h"
#include "RecordingDC.h"

#include <array>
#include <string>
#include <vector>

using Values = std::array<int, 32>;

struct DrawnNode {
    int left, top, right, bottom; // the circle's box
    int pen;
};

class DrawingFixture {
  protected:
    static void AddRecord(CLatticeRecordArray& records, int number, const Values& values);
    void SetPrimary(std::vector<std::pair<int, Values>> records);
    // Imported records by number, paired with the primary ones.
    void SetImported(std::vector<std::pair<int, Values>> records);

    // The picture of m_document as m_options ask for it, laid out on m_dc.
    quib::LatticePicture Picture() { return {m_document, m_options, &m_dc}; }
    // Prepares and paints on m_dc; returns the calls of the paint alone.
    std::vector<RecordedCall> Paint();

    static std::vector<RecordedCall> Only(const std::vector<RecordedCall>& calls,
                                          RecordedCall::Op op);
    static std::string SummaryText(const std::string& number, const Values& values);

    LatticeDocument m_document;
    quib::PictureOptions m_options;
    RecordingDC m_dc;
};
