#include "Menu.h"

#include <QAction>
#include <QStyleOptionMenuItem>

QString CMenu::ShownText(const QAction* action) const {
    QStyleOptionMenuItem option;
    initStyleOption(&option, action);
    return option.text;
}

void CMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenu::initStyleOption(option, action);
    const QVariant keys = action->property(kKeysLabelProperty);
    if (keys.isValid())
        option->text =
            option->text.section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t') + keys.toString();
}
