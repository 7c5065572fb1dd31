#pragma once

// A menu of the resource tables. An item's stored label is its text and,
// after a tab, the keys as the label tells them ("&First\tArrow-Down"). The
// item shows the label whole, but its action's text, and so the name
// assistive technology reads, is the part before the tab: the keys are the
// action's shortcuts, told as such.

#include <QMenu>

class QAction;

// The property of an action that holds what its label tells of its keys.
inline constexpr char kKeysLabelProperty[] = "keysLabel";

class CMenu : public QMenu {
  public:
    using QMenu::QMenu;

    // The text an item shows: its action's text and, after a tab, its keys.
    QString ShownText(const QAction* action) const;

  protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};
