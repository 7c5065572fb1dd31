#pragma once

// Modal dialogs built from a dialog template, with data exchange between
// controls and members: OK reads and checks the controls first and keeps
// the dialog open while a check fails.

#include "AfxRes.h"

#include <QDialog>

#include <map>

class CDialog;
struct DialogTemplate;

class CDataExchange {
  public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control of that id, remembered as the one a failure points at.
    QWidget* PrepareCtrl(int id);
    // Marks the exchange failed and gives the offending control the focus.
    void Fail();

    CDialog* const m_pDlgWnd;
    const bool m_bSaveAndValidate;
    bool m_bFailed = false;

  private:
    QWidget* m_lastControl = nullptr;
};

// An edit control's text as a signed decimal integer.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// On saving: the value must lie in [minVal, maxVal].
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);

class CDialog : public QDialog {
  public:
    explicit CDialog(UINT nIDTemplate, QWidget* parent = nullptr);

    // IDOK or IDCANCEL.
    int DoModal();
    // False when reading the controls failed a check.
    bool UpdateData(bool saveAndValidate = true);
    QWidget* GetDlgItem(int id) const;

  protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();

  private:
    bool CreateFromTemplate();

    const UINT m_nIDTemplate;
    bool m_bCreated = false;
    std::map<int, QWidget*> m_controls;
};
