#pragma once

#include "RecordMatches.h"

#include <QObject>

class CMyQuibView;

namespace quib {

// Finds records for the window: those of a condition and those that differ
// from their partners, each kept as the positions it matches, computed once
// when the condition, the document or the values shown change, so that a
// step to the next match is a binary search however far it lies. A step
// shows its record as the navigation commands do; where there is no further
// match the end-of-data tone sounds and nothing moves.
//
// The matches are computed on the GUI thread: the scan reads the
// document's records in place, and nothing tells a worker to stop before a
// File Open or Import changes them under it.
class RecordFinder : public QObject {
    Q_OBJECT

  public:
    explicit RecordFinder(CMyQuibView& view, QObject* parent = nullptr);

    // A well-formed condition, its matches computed at once.
    void SetCondition(Condition condition);
    bool HasCondition() const { return m_found.HasCondition(); }
    int MatchCount() const { return m_found.Count(); }
    int RecordCount() const;
    // While an import is shown, records can differ from their partners.
    bool ShowsImported() const;

    void FindNext() { Step(m_found, true); }
    void FindPrevious() { Step(m_found, false); }
    void NextDifference() { Step(m_differing, true); }
    void PreviousDifference() { Step(m_differing, false); }

    // The document changed (File Open, Import, New): the matches are
    // computed anew.
    void DocumentChanged();
    // The values shown may have changed (the view is about to paint): where
    // they did, the matches are computed anew.
    void CheckValuesShown();

  signals:
    // The condition's matches were computed anew.
    void MatchesChanged();

  private:
    void Step(RecordMatches& matches, bool forward);
    ValueTransform ValuesShown() const;

    CMyQuibView& m_view;
    RecordMatches m_found;
    RecordMatches m_differing;
};

} // namespace quib
