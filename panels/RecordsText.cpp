#include "RecordsText.h"

#include "LatticeDocument.h"

#include <QLocale>

namespace quib {

QString CountText(long long count) {
    QLocale english(QLocale::English, QLocale::UnitedStates);
    english.setNumberOptions(QLocale::DefaultNumberOptions);
    return english.toString(count);
}

QString RecordsText(const LatticeDocument& document, RecordRun run) {
    if (run.end - run.first != 1)
        return QStringLiteral("Records %1 to %2").arg(CountText(run.first + 1), CountText(run.end));
    const CLatticeRecordArray& records = document.m_primaryRecords;
    const QString position = QStringLiteral("Record %1").arg(CountText(run.first + 1));
    if (run.first >= records.GetSize())
        return position;
    return position + QStringLiteral(" (nr %1)").arg(records[run.first].m_nRecordNumber);
}

} // namespace quib
