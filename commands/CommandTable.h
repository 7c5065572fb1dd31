#pragma once

#include "CommandRows.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QKeyEvent;
class QMenu;
class QWidget;

namespace quib {

// The actions of the rows (CommandRows), made once, with their keys as real
// shortcuts on the view. Whoever handles a command binds it: what it does,
// and when it is enabled and checked. That state is kept up to date
// (Refresh) whenever it can change, so that menus, keys and assistive
// technology always see it; a row that nobody bound stays disabled.
class CommandTable : public QObject {
    Q_OBJECT

  public:
    struct Binding {
        std::function<void()> run = {};
        std::function<bool()> enabled = {}; // none: always
        std::function<bool()> checked = {}; // for the checkable rows
        std::function<QString()> node = {}; // the label "%1" stands for
    };

    // The keys are shortcuts of `view`: a view row's work there alone, the
    // others in the whole window.
    explicit CommandTable(QWidget& view);

    void Bind(CommandId id, Binding binding);
    QAction* Action(CommandId id) const { return m_actions[std::size_t(id)]; }

    // Each action's enabled, checked and text state from its binding.
    void Refresh();

    // The view's context menu for where it opens: the rows of its layout,
    // the rows that need a node (ShowHistory) only while NodeUnderPoint says
    // which. Two menus kept with the view, not one made at each opening: the
    // key that closes a menu can still be on its way to it (through the
    // accessibility bridge) once it has closed.
    QMenu& ContextMenu();
    // The "Data" menu, kept up to date as it opens.
    QMenu* MakeDataMenu(QWidget* parent);
    // The node under the point the context menu opened at, -1 for none;
    // what the node rows are for while it is open.
    int NodeUnderPoint() const { return m_nodeUnderPoint; }
    void SetNodeUnderPoint(int node);

    // A key that reached the view although its shortcut did not fire (as
    // where the platform has not told Qt that the window is active): runs
    // the command whose key it is. True when it was one.
    bool TriggerKey(const QKeyEvent& event);

  private:
    void Fill(QMenu& menu, std::span<const MenuEntry> layout, bool forContextMenu);
    void Run(CommandId id);
    void RefreshRow(const CommandRow& row);

    std::array<QAction*, std::size_t(CommandId::Count)> m_actions{};
    std::array<Binding, std::size_t(CommandId::Count)> m_bindings{};
    QWidget& m_view;
    QActionGroup* m_values;
    int m_nodeUnderPoint = -1;
    QMenu* m_contextMenus[2] = {}; // elsewhere, on a node
};

} // namespace quib
