#pragma once

#include "FileCheck.h"

#include <QDialog>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace quib {

// "Check File...": the lines of the open file that may not read as meant,
// one row each as `quib --check` tells them (line, kind, explanation). A
// double click or Enter on a row asks to show the record of that line. It
// stays open beside the window.
class FindingsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit FindingsDialog(QWidget* parent);

    void Show(const QString& fileName, const std::vector<Finding>& findings);

  signals:
    // The 0-based position of the record to show.
    void RecordChosen(int record);

  private:
    void Choose(const QTreeWidgetItem* item);

    QTreeWidget* m_list;
};

} // namespace quib
