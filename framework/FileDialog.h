#pragma once

// The file dialog, modal, always Qt's own rather than the desktop's.

#include "AfxRes.h"

#include <QString>

class QWidget;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x0002;
constexpr DWORD OFN_HIDEREADONLY = 0x0004;

class CFileDialog {
  public:
    // No filter: every file is listed; several filters are separated by ";;".
    // No caption: the dialog's own.
    explicit CFileDialog(bool openFileDialog, const QString& defaultExt = QString(),
                         const QString& fileName = QString(),
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const QString& filter = QString(), QWidget* parent = nullptr);

    // IDOK with a file chosen, IDCANCEL otherwise.
    int DoModal();
    QString GetPathName() const { return m_pathName; }
    // The filter the file was chosen under.
    QString GetSelectedFilter() const { return m_selectedFilter; }

  private:
    bool m_bOpenFileDialog;
    QString m_defaultExt;
    QString m_pathName;
    DWORD m_flags;
    QString m_filter;
    QString m_selectedFilter;
    QWidget* m_parent;
};
