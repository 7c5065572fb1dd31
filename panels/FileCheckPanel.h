#pragma once

#include "FileCheck.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class CMyQuibDoc;
class CMyQuibView;
class QMainWindow;

namespace quib {

class FindingsDialog;

// The check of the open file in the window: "Check File..." lists what
// `quib --check` finds in it, and after each File Open the status bar's
// message pane says how many lines may not read as meant. Both read the file
// on a worker; a check of a file no longer open is dropped. A file read from
// a pipe gave its lines once, to the open: it is not checked.
class FileCheckPanel : public QObject {
    Q_OBJECT

  public:
    FileCheckPanel(QMainWindow& frame, CMyQuibView& view, const CMyQuibDoc& document);

    void ShowFindings();

  private:
    struct Checked {
        QString path;
        std::error_code error;
        int lines = 0;                                        // with findings
        std::shared_ptr<const std::vector<Finding>> findings; // when listed
    };
    // Checks the open file on a worker, then `done` with what it found.
    void Check(bool listed, void (FileCheckPanel::*done)(const Checked&));
    void Show(const Checked& checked);
    void TellCount(const Checked& checked);

    QMainWindow& m_frame;
    CMyQuibView& m_view;
    const CMyQuibDoc& m_document;
    QPointer<FindingsDialog> m_dialog;
    // What the status bar was last told, to take it back once it no longer
    // holds.
    QString m_told;
};

} // namespace quib
