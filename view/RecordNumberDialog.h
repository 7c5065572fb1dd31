#pragma once

#include "Dialog.h"

// Asks for a record by its 1-based position in the file.
class CRecordNumberDialog : public CDialog {
  public:
    explicit CRecordNumberDialog(QWidget* pParent = nullptr);

    int m_nSelectedRecord;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
