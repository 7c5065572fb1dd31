#pragma once

#include "Condition.h"
#include "RecordMatches.h"
#include "SnapshotWork.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class CMyQuibView;

namespace quib {

// Finds records for the window: those of a condition and those that differ
// from their partners. Each search's matches are found on a worker from the
// datasets and values shown, once for each of them, so that a step to the
// next match is a binary search however far it lies; a step asked for while
// they are being found is taken once they are. A step shows its record as
// the navigation commands do; where there is no further match the
// end-of-data tone sounds, nothing moves, and NothingFound says so.
class RecordFinder : public QObject {
    Q_OBJECT

  public:
    explicit RecordFinder(CMyQuibView& view, QObject* parent = nullptr);

    // A well-formed condition, as typed; its matches are found at once.
    void SetCondition(Condition condition, const QString& text);
    bool HasCondition() const { return m_found.condition.has_value(); }
    // The last well-formed condition, and its text.
    const std::optional<Condition>& LastCondition() const { return m_found.condition; }
    const QString& ConditionText() const { return m_conditionText; }
    // Counts the conditions given, so that a new one is told from the last.
    unsigned ConditionSerial() const { return m_found.conditionSerial; }
    // The condition's matches among the records shown; none while they are
    // being found.
    std::optional<int> MatchCount() const;
    int RecordCount() const;
    // While an import is shown, records can differ from their partners.
    bool ShowsImported() const;

    // Whether matches are being found or a step waits for them.
    bool Finding() const;

    void FindNext() { Step(m_found, true); }
    void FindPrevious() { Step(m_found, false); }
    void NextDifference() { Step(m_differing, true); }
    void PreviousDifference() { Step(m_differing, false); }

  signals:
    // Another well-formed condition was given.
    void ConditionChanged();
    // The condition's matches were found anew, or are being.
    void MatchesChanged();
    // A step found no further match: "No matching record after this one".
    void NothingFound(const QString& message);
    // An import came to be shown, or is no longer.
    void ImportShownChanged();

  private:
    struct Search {
        explicit Search(RecordFinder* finder, const char* what);
        std::optional<Condition> condition;
        // What the matches are of: the datasets and values shown and the
        // condition (counted as it changes).
        std::shared_ptr<const LatticeDocument> data;
        ValueTransform values = ValueTransform::Read;
        unsigned conditionSerial = 0;
        unsigned foundSerial = 0;
        std::shared_ptr<const RecordMatches> matches; // null while being found
        std::optional<bool> pendingStep;              // forward or back
        const char* what;                             // "matching", "differing"
        SnapshotWork<RecordMatches> work;
    };
    // Whether the search's matches are those of what is shown; starts
    // finding them where they are not.
    bool Current(Search& search);
    void Found(Search& search, std::shared_ptr<const RecordMatches> matches);
    void Step(Search& search, bool forward);
    void TakeStep(const Search& search, bool forward);
    void Follow();

    CMyQuibView& m_view;
    QString m_conditionText;
    bool m_showsImported = false;
    Search m_found;
    Search m_differing;
};

} // namespace quib
