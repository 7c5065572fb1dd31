#include "DrawingFixture.h"

void DrawingFixture::AddRecord(CLatticeRecordArray& records, int number, const Values& values) {
    CLatticeRecord record;
    for (int n = 0; n < 32; ++n)
        record.m_nNodeValue[n] = values[n];
    record.m_nRecordNumber = number;
    records.Add(record);
}

void DrawingFixture::SetPrimary(std::vector<std::pair<int, Values>> records) {
    m_document.m_nPrimaryDim = 32;
    for (const auto& [number, values] : records)
        AddRecord(m_document.m_primaryRecords, number, values);
}

void DrawingFixture::SetImported(std::vector<std::pair<int, Values>> records) {
    m_document.m_nImportedDim = 32;
    for (const auto& [number, values] : records)
        AddRecord(m_document.m_importedRecords, number, values);
    m_document.AlignImportedRecords();
}

std::vector<RecordedCall> DrawingFixture::Paint() {
    const quib::LatticePicture picture = Picture();
    picture.Prepare(&m_dc);
    const std::size_t start = m_dc.Calls().size();
    picture.Draw(&m_dc);
    return {m_dc.Calls().begin() + start, m_dc.Calls().end()};
}

std::vector<RecordedCall> DrawingFixture::Only(const std::vector<RecordedCall>& calls,
                                               RecordedCall::Op op) {
    std::vector<RecordedCall> out;
    for (const RecordedCall& call : calls)
        if (call.op == op)
            out.push_back(call);
    return out;
}

std::string DrawingFixture::SummaryText(const std::string& number, const Values& values) {
    std::string text = "Record nr " + number + " <";
    for (int value : values)
        text += " " + std::to_string(value);
    return text + ">";
}
