#pragma once

// The most-recently-used files, newest first, kept in the application's
// settings as keys File1, File2, ... of one group and written back on every
// change, so the list survives the run however it ends.

#include <QString>
#include <QStringList>

class CRecentFileList {
  public:
    CRecentFileList(QString organization, QString application, QString section, int size);

    void ReadList();
    int GetSize() const { return m_files.size(); }
    const QString& operator[](int index) const { return m_files[index]; }

    // Puts the path at the top, dropping an older entry for the same file
    // and the oldest entry when the list is full. Each change is written at
    // once, whole or not at all; false when it could not be written.
    bool Add(const QString& pathName);
    bool Remove(int index);
    // Where the list is kept.
    QString FileName() const;

    // The menu label of entry `index`: "&1 name", the path shortened for
    // the menu.
    QString GetMenuLabel(int index) const;

  private:
    bool WriteList() const;

    QString m_organization;
    QString m_application;
    QString m_section;
    int m_nSize;
    QStringList m_files;
};
