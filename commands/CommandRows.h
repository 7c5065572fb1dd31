#pragma once

// What Quib adds to the window's commands, one row each: the commands of the
// view's context menu, of the "Data" menu and the keys the view adds. The
// specified commands stay in the resource tables; these never change them.

#include <QKeyCombination>
#include <Qt>

#include <cstdint>
#include <span>

namespace quib {

enum class CommandId {
    CopyPicture,
    CopySummary,
    ExportPicture,
    HighlightDifferences,
    ValuesRead,
    ValuesMobius,
    ValuesSubsets,
    ValuesSupersets,
    FindRecords,
    FindNext,
    FindPrevious,
    NextDifference,
    PreviousDifference,
    Reload,
    FollowFile,
    CheckFile,
    ShowOverview,
    ShowStatistics,
    ShowHistory,
    FirstRecord,
    LastRecord,
    PageBack,
    PageForward,
    NextNode,
    PreviousNode,
    LeaveNode,
    ContextMenu,
    Count
};

enum class CommandStyle : std::uint8_t {
    Plain,
    Check, // on or off
    Radio, // one of its group
};

struct CommandRow {
    CommandId id;
    const char* name; // the action's object name
    const char* text; // "%1" stands for the node the command is for
    QKeyCombination key;
    QKeyCombination otherKey;
    // Qt::WindowShortcut: the key works wherever the window has the focus;
    // Qt::WidgetShortcut: only on the view (a line being edited keeps Home).
    Qt::ShortcutContext scope;
    CommandStyle style;
};

// Every row, in CommandId order.
std::span<const CommandRow> CommandRows();

// The menus' layouts: rows, separators and the Values submenu.
enum class MenuEntryKind : std::uint8_t { Command, Separator, ValuesSubmenu };
struct MenuEntry {
    MenuEntryKind kind;
    CommandId id = CommandId::Count;
};
std::span<const MenuEntry> ContextMenuLayout();
std::span<const MenuEntry> DataMenuLayout();
// The Values submenu's items, in order.
std::span<const CommandId> ValuesItems();

inline constexpr char kDataMenuTitle[] = "&Data";
inline constexpr char kValuesMenuTitle[] = "Values";

} // namespace quib
