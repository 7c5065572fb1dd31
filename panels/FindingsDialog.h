#pragma once

#include "FileCheck.h"

#include <QDialog>

#include <memory>
#include <vector>

class QTableView;

namespace quib {

class FindingsModel;

// "Check File...": the lines of the open file that may not read as meant,
// one row each as `quib --check` tells them (line, kind, explanation), over
// a model of the findings, so that a million of them open at once. A double
// click or Enter on a row asks to show the record of that line. It stays
// open beside the window.
class FindingsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit FindingsDialog(QWidget* parent);

    void Show(const QString& fileName, std::shared_ptr<const std::vector<Finding>> findings);

  signals:
    // The 0-based position of the record to show.
    void RecordChosen(int record);

  private:
    QTableView* m_table;
    FindingsModel* m_model;
};

} // namespace quib
