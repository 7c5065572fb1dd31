#include "Dialog.h"

#include "AfxResources.h"
#include "DialogUnits.h"
#include "FrameWnd.h"
#include "MessageBox.h"
#include "WinApp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <climits>

QWidget* CDataExchange::PrepareCtrl(int id) {
    m_lastControl = m_pDlgWnd->GetDlgItem(id);
    return m_lastControl;
}

void CDataExchange::Fail() {
    m_bFailed = true;
    if (m_lastControl != nullptr) {
        m_lastControl->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(m_lastControl))
            edit->selectAll();
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    if (pDX->m_bFailed)
        return;
    auto* edit = qobject_cast<QLineEdit*>(pDX->PrepareCtrl(id));
    if (edit == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        edit->setText(QString::number(value));
        return;
    }
    bool ok = false;
    const long long read = edit->text().trimmed().toLongLong(&ok);
    if (!ok || read < INT_MIN || read > INT_MAX) {
        AfxMessageBox(QStringLiteral("Please enter an integer."), MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = static_cast<int>(read);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    AfxMessageBox(
        QStringLiteral("Please enter an integer between %1 and %2.").arg(minVal).arg(maxVal),
        MB_ICONEXCLAMATION);
    pDX->Fail();
}

CDialog::CDialog(UINT nIDTemplate, QWidget* parent) : QDialog(parent), m_nIDTemplate(nIDTemplate) {}

QWidget* CDialog::GetDlgItem(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

bool CDialog::CreateFromTemplate() {
    const DialogTemplate* resource = AfxFindDialogTemplate(m_nIDTemplate);
    if (resource == nullptr)
        return false;
    setWindowTitle(QString::fromUtf8(resource->caption));
    setFont(QFont(QString::fromUtf8(resource->fontName), resource->pointSize));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(resource->cx, resource->cy));
    for (const DialogControl& control : resource->controls) {
        const QString text = QString::fromUtf8(control.text != nullptr ? control.text : "");
        QWidget* widget = nullptr;
        switch (control.kind) {
        case DialogControlKind::Icon: {
            auto* label = new QLabel(this);
            if (AfxGetResources().mainIcon != nullptr)
                label->setPixmap(AfxGetResources().mainIcon().pixmap(32, 32));
            widget = label;
            break;
        }
        case DialogControlKind::Static:
        case DialogControlKind::StaticNoPrefix: {
            auto* label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case DialogControlKind::Edit:
            widget = new QLineEdit(this);
            break;
        case DialogControlKind::PushButton:
        case DialogControlKind::DefPushButton: {
            auto* button = new QPushButton(text, this);
            button->setDefault(control.kind == DialogControlKind::DefPushButton);
            button->setAutoDefault(control.kind == DialogControlKind::DefPushButton);
            if (control.id == IDOK)
                connect(button, &QPushButton::clicked, this, [this] { OnOK(); });
            else if (control.id == IDCANCEL)
                connect(button, &QPushButton::clicked, this, [this] { OnCancel(); });
            widget = button;
            break;
        }
        }
        widget->setGeometry(units.ToPixels(control.x, control.y, control.cx, control.cy));
        if (control.id >= 0)
            m_controls[control.id] = widget;
    }
    return true;
}

int CDialog::DoModal() {
    // Without a parent of its own the dialog belongs to the main window, so
    // that it is modal to it and stands over it.
    if (parentWidget() == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr)
        setParent(AfxGetApp()->m_pMainWnd, windowFlags());
    if (!m_bCreated) {
        if (!CreateFromTemplate())
            return IDCANCEL;
        m_bCreated = true;
    }
    if (!OnInitDialog())
        return IDCANCEL;
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    // The first control that takes the keyboard has it; an edit box with
    // its text selected, so that typing replaces it.
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->focusPolicy() & Qt::TabFocus) {
            child->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(child))
                edit->selectAll();
            break;
        }
    return true;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (UpdateData(true))
        accept();
}

void CDialog::OnCancel() {
    reject();
}
