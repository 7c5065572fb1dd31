#include "FindingsDialog.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace quib {

namespace {

enum Column { kLine, kKind, kExplanation, kColumns };

const char* const kEveryLineReads = "Every line reads as a correct file's would.";

} // namespace

// The findings as rows; a file without any has one row that says so.
class FindingsModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void Set(std::shared_ptr<const std::vector<Finding>> findings) {
        beginResetModel();
        m_findings = std::move(findings);
        endResetModel();
    }
    const Finding* At(int row) const {
        return m_findings != nullptr && row < int(m_findings->size()) ? &(*m_findings)[row]
                                                                      : nullptr;
    }
    // The largest line number, whose digits the Line column must hold.
    long long LastLine() const {
        return m_findings == nullptr || m_findings->empty() ? 0 : m_findings->back().line;
    }
    // The kinds found, each once: a handful of literals.
    std::vector<const char*> Kinds() const {
        std::vector<const char*> kinds;
        if (m_findings == nullptr)
            return kinds;
        for (const Finding& finding : *m_findings)
            if (std::find(kinds.begin(), kinds.end(), finding.kind) == kinds.end())
                kinds.push_back(finding.kind);
        return kinds;
    }

    int rowCount(const QModelIndex& parent) const override {
        if (parent.isValid() || m_findings == nullptr)
            return 0;
        return std::max(1, int(m_findings->size()));
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const Finding* finding = At(index.row());
        if (role == Qt::TextAlignmentRole && index.column() == kLine)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        if (finding == nullptr)
            return index.column() == kExplanation ? QString::fromLatin1(kEveryLineReads)
                                                  : QString();
        switch (index.column()) {
        case kLine:
            return QString::number(finding->line);
        case kKind:
            return QString::fromLatin1(finding->kind);
        default:
            return QString::fromStdString(finding->explanation);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const char* const titles[] = {"Line", "Kind", "Explanation"};
        return QString::fromLatin1(titles[section]);
    }

  private:
    std::shared_ptr<const std::vector<Finding>> m_findings;
};

FindingsDialog::FindingsDialog(QWidget* parent)
    : QDialog(parent), m_table(new QTableView(this)), m_model(new FindingsModel(this)) {
    setObjectName(QStringLiteral("checkFileDialog"));
    m_table->setObjectName(QStringLiteral("findings"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Every row as tall as the first: nothing is measured per row.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Activation is a double click, or Enter on the row with the focus.
    connect(m_table, &QTableView::activated, this, [this](const QModelIndex& index) {
        if (const Finding* finding = m_model->At(index.row()))
            emit RecordChosen(finding->record);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(720, 360);
}

void FindingsDialog::Show(const QString& fileName,
                          std::shared_ptr<const std::vector<Finding>> findings) {
    setWindowTitle(QStringLiteral("Check File: %1").arg(fileName));
    m_model->Set(std::move(findings));
    // Wide enough for the largest line number and the longest kind, measured
    // once rather than over every row.
    const QFontMetrics metrics = m_table->fontMetrics();
    const int padding = 3 * metrics.averageCharWidth();
    int kindWidth = metrics.horizontalAdvance(QStringLiteral("Kind"));
    for (const char* kind : m_model->Kinds())
        kindWidth = std::max(kindWidth, metrics.horizontalAdvance(QString::fromLatin1(kind)));
    m_table->setColumnWidth(
        kLine, std::max(metrics.horizontalAdvance(QString::number(m_model->LastLine())),
                        metrics.horizontalAdvance(QStringLiteral("Line"))) +
                   padding);
    m_table->setColumnWidth(kKind, kindWidth + padding);
    show();
    raise();
    activateWindow();
}

} // namespace quib
