#include "RecordFinder.h"

#include "Beep.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"

namespace quib {

RecordFinder::RecordFinder(CMyQuibView& view, QObject* parent)
    : QObject(parent), m_view(view), m_found(*view.GetDocument()),
      m_differing(*view.GetDocument()) {
    m_differing.SetCondition(*ParseCondition("differs").condition);
}

void RecordFinder::SetCondition(Condition condition) {
    m_found.SetCondition(std::move(condition));
    m_found.Update(ValuesShown());
    emit MatchesChanged();
}

int RecordFinder::RecordCount() const {
    return m_view.GetDocument()->m_primaryRecords.GetSize();
}

bool RecordFinder::ShowsImported() const {
    return LatticePicture(*m_view.GetDocument(), m_view.Options()).ShowsImported();
}

ValueTransform RecordFinder::ValuesShown() const {
    return m_view.Options().values;
}

void RecordFinder::DocumentChanged() {
    m_found.Invalidate();
    m_differing.Invalidate();
    CheckValuesShown();
}

// The differences too, while an import is shown: the first Next Difference
// then costs no more than the others.
void RecordFinder::CheckValuesShown() {
    const ValueTransform values = ValuesShown();
    if (ShowsImported())
        m_differing.Update(values);
    if (!m_found.HasCondition() || m_found.IsCurrent(values))
        return;
    m_found.Update(values);
    emit MatchesChanged();
}

void RecordFinder::Step(RecordMatches& matches, bool forward) {
    if (&matches == &m_found)
        CheckValuesShown();
    else
        matches.Update(ValuesShown());
    const int position = m_view.m_nRecordIndex + 1;
    const int found = forward ? matches.After(position) : matches.Before(position);
    if (found == 0) {
        Beep(500, 50);
        return;
    }
    m_view.ShowRecord(found - 1);
}

} // namespace quib
