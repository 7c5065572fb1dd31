#include "ReloadCommand.h"

#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "WinApp.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace quib {

ReloadCommand::ReloadCommand(CMyQuibView& view)
    : QObject(&view), m_view(view), m_reload(new QAction(QStringLiteral("Reload\tF5"), this)) {
    m_reload->setObjectName(QStringLiteral("reload"));
    connect(m_reload, &QAction::triggered, this, &ReloadCommand::Reload);
    connect(&view, &CMyQuibView::ContextMenuOpening, this,
            [this](QMenu* menu, int) { AddMenuItem(*menu); });
    view.installEventFilter(this);
}

void ReloadCommand::Reload() {
    CMyQuibDoc* document = m_view.GetDocument();
    if (document == nullptr || document->GetPathName().isEmpty())
        return;
    if (document->IsReading()) {
        QApplication::beep();
        return;
    }
    QString failedPath;
    if (const std::error_code error = document->Reload(failedPath)) {
        AfxGetApp()->ReportOpenFailure(failedPath, error);
        return;
    }
    m_view.OnInitialUpdate();
}

void ReloadCommand::AddMenuItem(QMenu& menu) {
    const CMyQuibDoc* document = m_view.GetDocument();
    m_reload->setEnabled(document != nullptr && !document->GetPathName().isEmpty() &&
                         !document->IsReading());
    menu.addSeparator();
    menu.addAction(m_reload);
}

bool ReloadCommand::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<const QKeyEvent*>(event)->keyCombination() == QKeyCombination(Qt::Key_F5)) {
        Reload();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quib
