#include "MyQuibView.h"

#include "Beep.h"
#include "CmdTarget.h"
#include "FontDialog.h"
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
    Repaint();
}

// Only the lower end is checked: an index left beyond the end of a shorter
// file moves down by one.
void CMyQuibView::OnNavigateUp() {
    --m_nRecordIndex;
    if (m_nRecordIndex < 0) {
        m_nRecordIndex = 0;
        BeepAtDataEnd();
    }
    Repaint();
}

void CMyQuibView::OnNavigateFirst() {
    m_nRecordIndex = 0;
    Repaint();
}

void CMyQuibView::OnNavigateLast() {
    m_nRecordIndex = std::max(PrimaryRecordCount() - 1, 0);
    Repaint();
}

void CMyQuibView::GoToRecord(int index) {
    m_nRecordIndex = index;
    Repaint();
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
    m_nRecordIndex = dialog.m_nSelectedRecord - 1;
    if (m_nRecordIndex < 0)
        m_nRecordIndex = 0;
    ClampToLastRecord();
    Repaint();
}

void CMyQuibView::OnOptionsHighlight() {
    m_bHighlight = !m_bHighlight;
    Repaint();
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
    Repaint();
}

void CMyQuibView::OnOptionsScaleSmaller() {
    if (m_nScale <= kSmallestScale) {
        BeepAtScaleLimit();
        return;
    }
    --m_nScale;
    Repaint();
}

// Only the LOGFONT is kept: a colour chosen in the dialog has no effect.
void CMyQuibView::OnOptionsFont() {
    CFontDialog dialog(&m_logFont, CF_SCREENFONTS | CF_EFFECTS, nullptr, nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(&m_logFont);
    Repaint();
}
