#include "FindBar.h"

#include "RecordFinder.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace quib {

namespace {

// How long typing may pause before the condition's matches are counted: a
// count over 10^6 records takes a noticeable moment, not worth one per key.
constexpr int kTypingPauseMs = 150;

QString Grouped(int value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

} // namespace

QString MatchCountText(int matches, int records) {
    if (records == 0)
        return QStringLiteral("No records to search");
    return QStringLiteral("%1 of %2 %3 %4")
        .arg(Grouped(matches), Grouped(records),
             records == 1 ? QStringLiteral("record") : QStringLiteral("records"),
             matches == 1 ? QStringLiteral("matches") : QStringLiteral("match"));
}

FindBar::FindBar(RecordFinder& finder, QWidget* parent)
    : QWidget(parent), m_finder(finder), m_condition(new QLineEdit(this)),
      m_previous(new QPushButton(QStringLiteral("Previous"), this)),
      m_next(new QPushButton(QStringLiteral("Next"), this)), m_status(new QLabel(this)) {
    // No mnemonic: Alt+F is the File menu's.
    auto* label = new QLabel(QStringLiteral("Find:"), this);
    label->setBuddy(m_condition);
    m_condition->setObjectName(QStringLiteral("findCondition"));
    m_condition->setPlaceholderText(QStringLiteral("a condition, such as ab > 0 and not partner"));
    m_condition->setClearButtonEnabled(true);
    m_previous->setObjectName(QStringLiteral("findPrevious"));
    m_next->setObjectName(QStringLiteral("findNext"));
    m_previous->setToolTip(QStringLiteral("The last matching record before this one (Shift+F3)"));
    m_next->setToolTip(QStringLiteral("The first matching record after this one (F3)"));
    // A click leaves the focus where it was: in the line, or on the view.
    for (QPushButton* button : {m_previous, m_next})
        button->setFocusPolicy(Qt::TabFocus);
    m_status->setObjectName(QStringLiteral("findStatus"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(label);
    layout->addWidget(m_condition, 2);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addSpacing(8);
    layout->addWidget(m_status, 1);

    // As tall as its line, whatever room the window has.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    SetWellFormed(false);

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &FindBar::Commit);
    connect(m_condition, &QLineEdit::textChanged, this, &FindBar::OnTextChanged);
    connect(m_previous, &QPushButton::clicked, this, &FindBar::FindPrevious);
    connect(m_next, &QPushButton::clicked, this, &FindBar::FindNext);
    connect(&m_finder, &RecordFinder::MatchesChanged, this, &FindBar::ShowCount);
    // An import shown or gone may make the condition typed usable, or not.
    connect(&m_finder, &RecordFinder::ImportShownChanged, this, &FindBar::OnTextChanged);
}

void FindBar::Activate() {
    m_condition->setFocus(Qt::ShortcutFocusReason);
    m_condition->selectAll();
}

// A malformed or empty text leaves the last well-formed condition pending:
// F3 on the view finds with it. So does one that reads the imported run
// while none is shown.
void FindBar::OnTextChanged() {
    m_typingPause.stop();
    SetWellFormed(false);
    if (m_condition->text().trimmed().isEmpty()) {
        ShowStatus(QString(), false);
        return;
    }
    ParsedCondition parsed = ParseCondition(m_condition->text().toStdString());
    if (const std::string problem = ConditionProblem(parsed, m_finder.ShowsImported());
        !problem.empty()) {
        ShowStatus(QString::fromStdString(problem), true);
        return;
    }
    SetWellFormed(true);
    m_pending = std::move(parsed.condition);
    m_pendingText = m_condition->text().trimmed();
    m_typingPause.start();
}

// Nothing to find with a condition that is malformed or empty.
void FindBar::SetWellFormed(bool wellFormed) {
    m_wellFormed = wellFormed;
    m_previous->setEnabled(wellFormed);
    m_next->setEnabled(wellFormed);
}

void FindBar::Commit() {
    m_typingPause.stop();
    if (m_pending)
        m_finder.SetCondition(*std::exchange(m_pending, std::nullopt), m_pendingText);
}

void FindBar::FindNext() {
    if (!m_wellFormed)
        return;
    Commit();
    m_finder.FindNext();
}

void FindBar::FindPrevious() {
    if (!m_wellFormed)
        return;
    Commit();
    m_finder.FindPrevious();
}

// While the matches are being found the last count stays.
void FindBar::ShowCount() {
    if (const std::optional<int> count = m_finder.MatchCount(); count && m_wellFormed && !m_pending)
        ShowStatus(MatchCountText(*count, m_finder.RecordCount()), false);
}

void FindBar::ShowStatus(const QString& text, bool isError) {
    m_status->setText(text);
    m_status->setStyleSheet(isError ? QStringLiteral("color: #b00020") : QString());
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    const bool back = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        back ? FindPrevious() : FindNext();
        break;
    case Qt::Key_Escape:
        emit closeRequested();
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    event->accept();
}

} // namespace quib
