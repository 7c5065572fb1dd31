#include "PanelFixture.h"

#include "FrameWnd.h"
#include "LatticeTables.h"
#include "ModalDriver.h"
#include "PictureOptions.h"
#include "WholeFileCanvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

CMyQuibView* PanelFixture::View() const {
    return dynamic_cast<CMyQuibView*>(Frame()->GetActiveView());
}

quib::OverviewPanel* PanelFixture::OverviewPanel() const {
    return Frame()->findChild<quib::OverviewPanel*>(QStringLiteral("overviewPanel"));
}

quib::HistoryPanel* PanelFixture::HistoryPanel() const {
    return Frame()->findChild<quib::HistoryPanel*>(QStringLiteral("historyPanel"));
}

std::string PanelFixture::ContextMenu(QPoint at, const QString& trigger) {
    QStringList items;
    ModalDriver read([&](QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        ASSERT_NE(menu, nullptr);
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (action->text() == trigger)
                chosen = action;
        }
        menu->close();
        if (chosen != nullptr)
            chosen->trigger();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, View()->mapToGlobal(at));
    QApplication::sendEvent(View(), &event);
    return items.join('|').toStdString();
}

QPoint PanelFixture::NodeCentre(int node) const {
    return View()->NodeRect({0, node}).center().toPoint();
}

bool PanelFixture::Built(const quib::WholeFilePanel* panel) const {
    return QTest::qWaitFor([panel] { return !panel->Building(); }, 60000);
}

QImage PanelFixture::Grab(QWidget* canvas) {
    return canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::vector<int> PanelFixture::BlackColumns(const QImage& image, int y, int left, int right) {
    std::vector<int> found;
    for (int x = left; x <= right; ++x)
        if (image.pixel(x, y) == qRgb(0, 0, 0))
            found.push_back(x);
    return found;
}

void PanelFixture::Click(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}
