#include "RecordFinder.h"

#include "MyQuibView.h"

namespace quib {

RecordFinder::Search::Search(RecordFinder* finder, const char* what)
    : what(what), work(finder, [finder, this](auto matches, auto) {
          finder->Found(*this, std::move(matches));
      }) {}

RecordFinder::RecordFinder(CMyQuibView& view, QObject* parent)
    : QObject(parent), m_view(view), m_found(this, "matching"), m_differing(this, "differing") {
    m_differing.condition = ParseCondition("differs").condition;
    connect(&view, &CMyQuibView::Changed, this, [this](ViewChanges what) {
        if (what & (ViewChange::Document | ViewChange::Values))
            Follow();
        if (what & ViewChange::Document &&
            std::exchange(m_showsImported, ShowsImported()) != m_showsImported)
            emit ImportShownChanged();
    });
}

void RecordFinder::SetCondition(Condition condition, const QString& text) {
    m_found.condition = std::move(condition);
    m_conditionText = text;
    ++m_found.conditionSerial;
    Current(m_found);
    emit ConditionChanged();
    emit MatchesChanged();
}

std::optional<int> RecordFinder::MatchCount() const {
    if (m_found.matches == nullptr)
        return std::nullopt;
    return m_found.matches->Count();
}

bool RecordFinder::Finding() const {
    return m_found.work.Running() || m_differing.work.Running() || m_found.pendingStep ||
           m_differing.pendingStep;
}

int RecordFinder::RecordCount() const {
    return m_view.Data().m_primaryRecords.GetSize();
}

bool RecordFinder::ShowsImported() const {
    return m_view.Picture().ShowsImported();
}

// The differences too, while an import is shown: the first Next Difference
// then waits no longer than the others.
void RecordFinder::Follow() {
    if (HasCondition() && !Current(m_found))
        emit MatchesChanged();
    if (ShowsImported())
        Current(m_differing);
}

bool RecordFinder::Current(Search& search) {
    const std::shared_ptr<const LatticeDocument> data = m_view.Snapshot();
    const ValueTransform values = m_view.Options().values;
    if (search.data == data && search.values == values &&
        search.foundSerial == search.conditionSerial)
        return search.matches != nullptr;
    search.data = data;
    search.values = values;
    search.foundSerial = search.conditionSerial;
    search.matches.reset();
    search.work.Start(data, [condition = *search.condition, values](const LatticeDocument& shown) {
        return RecordMatches(shown, condition, values);
    });
    return false;
}

void RecordFinder::Found(Search& search, std::shared_ptr<const RecordMatches> matches) {
    // Without memory for them nothing is found, as for no match at all.
    search.matches = matches != nullptr ? std::move(matches) : std::make_shared<RecordMatches>();
    if (&search == &m_found)
        emit MatchesChanged();
    if (const std::optional<bool> forward = std::exchange(search.pendingStep, std::nullopt))
        TakeStep(search, *forward);
}

void RecordFinder::Step(Search& search, bool forward) {
    if (!search.condition)
        return;
    if (Current(search))
        TakeStep(search, forward);
    else
        search.pendingStep = forward;
}

void RecordFinder::TakeStep(const Search& search, bool forward) {
    const int position = m_view.RecordIndex() + 1;
    const int found = forward ? search.matches->After(position) : search.matches->Before(position);
    if (found != 0)
        return m_view.ShowRecord(found - 1);
    m_view.RefuseStep();
    emit NothingFound(QStringLiteral("No %1 record %2 this one")
                          .arg(QLatin1String(search.what),
                               forward ? QStringLiteral("after") : QStringLiteral("before")));
}

} // namespace quib
