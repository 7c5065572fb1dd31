#pragma once

#include <QFlags>

namespace quib {

// What changed in what the view shows, as it tells those who follow it.
enum class ViewChange : unsigned {
    Record = 1 << 0,      // another record
    Values = 1 << 1,      // the values shown (as read, or transformed)
    Highlight = 1 << 2,   // the minimal nodes' highlight switched
    Differences = 1 << 3, // the differences' fill switched
    Scale = 1 << 4,
    Font = 1 << 5,
    Document = 1 << 6, // the datasets shown (New, Open, Import, Reload, Follow)
    FileRead = 1 << 7, // a file opened or read again whole
    Focus = 1 << 8,    // the keyboard's focus on a node
};
Q_DECLARE_FLAGS(ViewChanges, ViewChange)

} // namespace quib

Q_DECLARE_OPERATORS_FOR_FLAGS(quib::ViewChanges)
