#pragma once

// The application with its whole-file panels, opened from the view's context
// menu as a person opens them, and what they draw read back from their
// pixels.

#include "AppFixture.h"
#include "HistoryPanel.h"
#include "MyQuibView.h"
#include "OverviewPanel.h"

#include <QImage>

#include <string>

class PanelFixture : public AppFixture {
  protected:
    CMyQuibView* View() const;
    quib::OverviewPanel* OverviewPanel() const;
    quib::HistoryPanel* HistoryPanel() const;

    // The context menu's entries at a point of the view, "-" for a
    // separator, joined by "|"; with `trigger`, that entry is chosen.
    std::string ContextMenu(QPoint at, const QString& trigger = QString());
    // The centre of a node of the primary diagram, in the view's pixels.
    QPoint NodeCentre(int node) const;
    // Waits for the panel's build to end; false after 60 seconds.
    bool Built(const quib::WholeFilePanel* panel) const;
    // The canvas as it is on the screen.
    static QImage Grab(QWidget* canvas);
    // The pixel columns of a row of the image that are pure black.
    static std::vector<int> BlackColumns(const QImage& image, int y, int left, int right);
    // A click on a widget, as the left button gives it.
    static void Click(QWidget* widget, QPoint at);
};
