#include "RecordNumberDialog.h"

#include "Resources.h"

CRecordNumberDialog::CRecordNumberDialog(QWidget* pParent)
    : CDialog(IDD_RECORD_NUMBER, pParent), m_nSelectedRecord(0) {}

// Goto clamps the position to the data afterwards; the bound only keeps out
// numbers that name no record.
void CRecordNumberDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RECORD_NUMBER, m_nSelectedRecord);
    DDV_MinMaxInt(pDX, m_nSelectedRecord, 0, m_upperBound);
}
