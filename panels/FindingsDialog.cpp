#include "FindingsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quib {

namespace {
constexpr int kRecordRole = Qt::UserRole;
}

FindingsDialog::FindingsDialog(QWidget* parent) : QDialog(parent), m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("checkFileDialog"));
    m_list->setObjectName(QStringLiteral("findings"));
    m_list->setHeaderLabels(
        {QStringLiteral("Line"), QStringLiteral("Kind"), QStringLiteral("Explanation")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Activation is a double click, or Enter on the row with the focus.
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](const QTreeWidgetItem* item) { Choose(item); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(640, 320);
}

void FindingsDialog::Show(const QString& fileName, const std::vector<Finding>& findings) {
    setWindowTitle(QStringLiteral("Check File: %1").arg(fileName));
    m_list->clear();
    QList<QTreeWidgetItem*> rows;
    for (const Finding& finding : findings) {
        auto* row =
            new QTreeWidgetItem({QString::number(finding.line), QString::fromLatin1(finding.kind),
                                 QString::fromStdString(finding.explanation)});
        row->setTextAlignment(0, Qt::AlignRight);
        row->setData(0, kRecordRole, finding.record);
        rows << row;
    }
    if (rows.isEmpty())
        rows << new QTreeWidgetItem(
            {QString(), QString(), QStringLiteral("Every line reads as a correct file's would.")});
    m_list->addTopLevelItems(rows);
    show();
    raise();
    activateWindow();
}

void FindingsDialog::Choose(const QTreeWidgetItem* item) {
    const QVariant record = item->data(0, kRecordRole);
    if (record.isValid())
        emit RecordChosen(record.toInt());
}

} // namespace quib
