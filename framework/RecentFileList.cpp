#include "RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr int kMaxDisplayLength = 30;

QString EntryKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

// A long path shows its root, an ellipsis and the file name.
QString Abbreviate(const QString& pathName) {
    const QString native = QDir::toNativeSeparators(pathName);
    if (native.size() <= kMaxDisplayLength)
        return native;
    return QDir::toNativeSeparators(QStringLiteral("/.../")) + QFileInfo(pathName).fileName();
}

} // namespace

CRecentFileList::CRecentFileList(QString organization, QString application, QString section,
                                 int size)
    : m_organization(std::move(organization)), m_application(std::move(application)),
      m_section(std::move(section)), m_nSize(size) {}

void CRecentFileList::ReadList() {
    QSettings settings(m_organization, m_application);
    settings.beginGroup(m_section);
    m_files.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const QString path = settings.value(EntryKey(i)).toString();
        if (!path.isEmpty())
            m_files.append(path);
    }
}

bool CRecentFileList::Add(const QString& pathName) {
    const QString path = QFileInfo(pathName).absoluteFilePath();
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > m_nSize)
        m_files.removeLast();
    return WriteList();
}

bool CRecentFileList::Remove(int index) {
    if (index < 0 || index >= m_files.size())
        return true;
    m_files.removeAt(index);
    return WriteList();
}

QString CRecentFileList::FileName() const {
    return QSettings(m_organization, m_application).fileName();
}

QString CRecentFileList::GetMenuLabel(int index) const {
    QString name = Abbreviate(m_files[index]);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}

bool CRecentFileList::WriteList() const {
    QSettings settings(m_organization, m_application);
    settings.remove(m_section);
    settings.beginGroup(m_section);
    for (int i = 0; i < m_files.size(); ++i)
        settings.setValue(EntryKey(i), m_files[i]);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
