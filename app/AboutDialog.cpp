#include "AboutDialog.h"

#include "Resources.h"

CAboutDialog::CAboutDialog(QWidget* parent) : CDialog(IDD_ABOUTBOX, parent) {}

void CAboutDialog::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
}
