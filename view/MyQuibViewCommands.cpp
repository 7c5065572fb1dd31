#include "MyQuibView.h"

#include "Beep.h"
#include "CmdTarget.h"
#include "FontDialog.h"
#include "MyQuibDoc.h"
#include "RecordNumberDialog.h"

#include <algorithm>

namespace {

// The tones of a refusal: the ends of the data, the ends of the scale.
void BeepAtDataEnd() {
    Beep(500, 50);
}
void BeepAtScaleLimit() {
    Beep(400, 100);
}

constexpr int kPageRecords = 10;
constexpr int kSmallestScale = 1;
constexpr int kLargestScale = 4;

} // namespace

void CMyQuibView::ClampToLastRecord() {
    if (m_nRecordIndex >= PrimaryRecordCount())
        m_nRecordIndex = std::max(PrimaryRecordCount() - 1, 0);
}

void CMyQuibView::OnNavigateDown() {
    ++m_nRecordIndex;
    if (m_nRecordIndex >= PrimaryRecordCount()) {
        ClampToLastRecord();
        BeepAtDataEnd();
    }
    Repaint(quib::ViewChange::Record);
}

// Only the lower end is checked: an index left beyond the end of a shorter
// file moves down by one.
void CMyQuibView::OnNavigateUp() {
    --m_nRecordIndex;
    if (m_nRecordIndex < 0) {
        m_nRecordIndex = 0;
        BeepAtDataEnd();
    }
    Repaint(quib::ViewChange::Record);
}

void CMyQuibView::OnPageDown() {
    m_nRecordIndex += kPageRecords;
    if (m_nRecordIndex >= PrimaryRecordCount()) {
        ClampToLastRecord();
        BeepAtDataEnd();
    }
    Repaint(quib::ViewChange::Record);
}

void CMyQuibView::OnPageUp() {
    m_nRecordIndex -= kPageRecords;
    if (m_nRecordIndex < 0) {
        m_nRecordIndex = 0;
        BeepAtDataEnd();
    }
    Repaint(quib::ViewChange::Record);
}

void CMyQuibView::OnNavigateFirst() {
    m_nRecordIndex = 0;
    Repaint(quib::ViewChange::Record);
}

void CMyQuibView::OnNavigateLast() {
    m_nRecordIndex = std::max(PrimaryRecordCount() - 1, 0);
    Repaint(quib::ViewChange::Record);
}

void CMyQuibView::OnNavigateGoto() {
    CRecordNumberDialog dialog;
    dialog.m_nSelectedRecord = m_nRecordIndex + 1;
    // Every record can be reached, and the number the dialog opens with is
    // accepted as it stands.
    dialog.m_upperBound = std::max(
        {CRecordNumberDialog::kFixedUpperBound, PrimaryRecordCount(), dialog.m_nSelectedRecord});
    if (dialog.DoModal() != IDOK)
        return;
    ShowRecord(dialog.m_nSelectedRecord - 1);
}

void CMyQuibView::RefuseStep() const {
    BeepAtDataEnd();
}

void CMyQuibView::ShowRecord(int index) {
    m_nRecordIndex = std::max(index, 0);
    ClampToLastRecord();
    Repaint(quib::ViewChange::Record);
}

void CMyQuibView::OnOptionsHighlight() {
    m_bHighlight = !m_bHighlight;
    Repaint(quib::ViewChange::Highlight);
}

void CMyQuibView::OnUpdateOptionsHighlight(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_bHighlight ? 1 : 0);
}

void CMyQuibView::OnOptionsScaleLarger() {
    if (m_nScale >= kLargestScale) {
        BeepAtScaleLimit();
        return;
    }
    ++m_nScale;
    Repaint(quib::ViewChange::Scale);
}

void CMyQuibView::OnOptionsScaleSmaller() {
    if (m_nScale <= kSmallestScale) {
        BeepAtScaleLimit();
        return;
    }
    --m_nScale;
    Repaint(quib::ViewChange::Scale);
}

// Only the LOGFONT is kept: a colour chosen in the dialog has no effect.
void CMyQuibView::OnOptionsFont() {
    CFontDialog dialog(&m_logFont, CF_SCREENFONTS | CF_EFFECTS, nullptr, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_logFont);
    Repaint(quib::ViewChange::Font);
}
