#include "RecordNumberDialog.h"

#include "Resources.h"

CRecordNumberDialog::CRecordNumberDialog(QWidget* pParent)
    : CDialog(IDD_RECORD_NUMBER, pParent), m_nSelectedRecord(0) {}

// The bounds are fixed, whatever the number of records: Goto clamps the
// position to the data afterwards.
void CRecordNumberDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RECORD_NUMBER, m_nSelectedRecord);
    DDV_MinMaxInt(pDX, m_nSelectedRecord, 0, 1319);
}
