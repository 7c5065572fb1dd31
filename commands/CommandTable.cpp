#include "CommandTable.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

namespace quib {

CommandTable::CommandTable(QWidget& view)
    : QObject(&view), m_view(view), m_values(new QActionGroup(this)) {
    for (const CommandRow& row : CommandRows()) {
        auto* action = new QAction(QString::fromUtf8(row.text), this);
        action->setObjectName(QLatin1String(row.name));
        QList<QKeySequence> keys;
        for (const QKeyCombination key : {row.key, row.otherKey})
            if (key.key() != Qt::Key_unknown && key.key() != Qt::Key(0))
                keys << QKeySequence(key);
        action->setShortcuts(keys);
        action->setShortcutContext(row.scope);
        action->setCheckable(row.style != CommandStyle::Plain);
        if (row.style == CommandStyle::Radio)
            m_values->addAction(action);
        action->setEnabled(false);
        if (!keys.isEmpty())
            view.addAction(action);
        const CommandId id = row.id;
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        m_actions[std::size_t(row.id)] = action;
    }
}

void CommandTable::Bind(CommandId id, Binding binding) {
    m_bindings[std::size_t(id)] = std::move(binding);
    RefreshRow(CommandRows()[std::size_t(id)]);
}

void CommandTable::Run(CommandId id) {
    const Binding& binding = m_bindings[std::size_t(id)];
    // A checkable action toggles before it runs: its state is the binding's.
    if (binding.run && (!binding.enabled || binding.enabled()))
        binding.run();
    Refresh();
}

void CommandTable::Refresh() {
    for (const CommandRow& row : CommandRows())
        RefreshRow(row);
}

void CommandTable::RefreshRow(const CommandRow& row) {
    QAction* action = Action(row.id);
    const Binding& binding = m_bindings[std::size_t(row.id)];
    action->setEnabled(binding.run && (!binding.enabled || binding.enabled()));
    if (binding.checked)
        action->setChecked(binding.checked());
    if (binding.node)
        action->setText(QString::fromUtf8(row.text).arg(binding.node()));
}

void CommandTable::SetNodeUnderPoint(int node) {
    m_nodeUnderPoint = node;
    Refresh();
}

void CommandTable::Fill(QMenu& menu, std::span<const MenuEntry> layout, bool forContextMenu) {
    for (const MenuEntry& entry : layout) {
        switch (entry.kind) {
        case MenuEntryKind::Separator:
            menu.addSeparator();
            break;
        case MenuEntryKind::ValuesSubmenu: {
            QMenu* values = menu.addMenu(QString::fromLatin1(kValuesMenuTitle));
            values->setObjectName(QStringLiteral("valuesMenu"));
            for (const CommandId id : ValuesItems())
                values->addAction(Action(id));
            break;
        }
        case MenuEntryKind::Command:
            if (!forContextMenu || !m_bindings[std::size_t(entry.id)].node || m_nodeUnderPoint >= 0)
                menu.addAction(Action(entry.id));
            break;
        }
    }
}

QMenu& CommandTable::ContextMenu() {
    QMenu*& menu = m_contextMenus[m_nodeUnderPoint >= 0 ? 1 : 0];
    if (menu == nullptr) {
        menu = new QMenu(&m_view);
        Fill(*menu, ContextMenuLayout(), true);
    }
    return *menu;
}

QMenu* CommandTable::MakeDataMenu(QWidget* parent) {
    auto* menu = new QMenu(QString::fromLatin1(kDataMenuTitle), parent);
    menu->setObjectName(QStringLiteral("dataMenu"));
    Fill(*menu, DataMenuLayout(), false);
    connect(menu, &QMenu::aboutToShow, this, &CommandTable::Refresh);
    return menu;
}

bool CommandTable::TriggerKey(const QKeyEvent& event) {
    const QKeyCombination key(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const CommandRow& row : CommandRows()) {
        QAction* action = Action(row.id);
        if ((row.key != key && row.otherKey != key) || !action->isEnabled())
            continue;
        action->trigger();
        return true;
    }
    return false;
}

} // namespace quib
