#pragma once

// The document: its title and path, its views, and the framework's side of
// New and Open. A document here is never modified and never saved: nothing
// the framework does writes a file.

#include "CmdTarget.h"

#include <QString>

#include <system_error>
#include <vector>

class CView;

// What Serialize would be given. Documents read their files themselves and
// nothing is ever stored, so it carries nothing.
class CArchive {};

class CDocument : public CCmdTarget {
  public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // File New: false when the document cannot start empty.
    virtual bool OnNewDocument();
    // File Open: no error when the file was opened, else why not. The base
    // knows no file format and opens nothing.
    virtual std::error_code OnOpenDocument(const QString& pathName);
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents() {}

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    // Sets the path and, from its file name, the title; a path also goes to
    // the top of the recent-file list.
    virtual void SetPathName(const QString& pathName, bool addToMRU = true);
    void ClearPathName() { m_strPathName.clear(); }

    void AddView(CView* view);
    // Tells every view but the sender that the document changed, and how.
    void UpdateAllViews(CView* sender, LPARAM hint = 0);

  private:
    QString m_strTitle;
    QString m_strPathName;
    std::vector<CView*> m_views;
};
