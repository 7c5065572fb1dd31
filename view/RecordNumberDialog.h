#pragma once

#include "Dialog.h"

// Asks for a record by its 1-based position in the file.
class CRecordNumberDialog : public CDialog {
  public:
    explicit CRecordNumberDialog(QWidget* pParent = nullptr);

    int m_nSelectedRecord;
    // The largest number the entry accepts: 1319, or more where the file
    // has more records or the dialog opens on a larger number.
    int m_upperBound = kFixedUpperBound;
    static constexpr int kFixedUpperBound = 1319;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
