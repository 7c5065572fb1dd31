#include "CommandRows.h"

#include <array>

namespace quib {

namespace {

constexpr QKeyCombination kNoKey{};
constexpr QKeyCombination Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QKeyCombination(modifiers, key);
}

using enum CommandId;
using enum CommandStyle;
constexpr auto kWindow = Qt::WindowShortcut;
constexpr auto kView = Qt::WidgetShortcut;

// Copy Picture's key is the accelerator table's Ctrl+C: it is not bound twice.
constexpr CommandRow kRows[] = {
    {CopyPicture, "copyPicture", "Copy Picture", kNoKey, kNoKey, kWindow, Plain},
    {CopySummary, "copySummary", "Copy Summary", kNoKey, kNoKey, kWindow, Plain},
    {ExportPicture, "exportPicture", "Export Picture...", kNoKey, kNoKey, kWindow, Plain},
    {HighlightDifferences, "highlightDifferences", "Highlight Differences", kNoKey, kNoKey, kWindow,
     Check},
    {ValuesRead, "valuesRead", "As Read", kNoKey, kNoKey, kWindow, Radio},
    {ValuesMobius, "valuesMobius", "Möbius Inversion", kNoKey, kNoKey, kWindow, Radio},
    {ValuesSubsets, "valuesSubsets", "Sums over Subsets", kNoKey, kNoKey, kWindow, Radio},
    {ValuesSupersets, "valuesSupersets", "Sums over Supersets", kNoKey, kNoKey, kWindow, Radio},
    {FindRecords, "findRecords", "Find Records...", Key(Qt::Key_F, Qt::ControlModifier), kNoKey,
     kWindow, Plain},
    {FindNext, "findNext", "Find Next", Key(Qt::Key_F3), kNoKey, kWindow, Plain},
    {FindPrevious, "findPrevious", "Find Previous", Key(Qt::Key_F3, Qt::ShiftModifier), kNoKey,
     kWindow, Plain},
    {NextDifference, "nextDifference", "Next Difference", kNoKey, kNoKey, kWindow, Plain},
    {PreviousDifference, "previousDifference", "Previous Difference", kNoKey, kNoKey, kWindow,
     Plain},
    {Reload, "reload", "Reload", Key(Qt::Key_F5), kNoKey, kWindow, Plain},
    {FollowFile, "followFile", "Follow File", kNoKey, kNoKey, kWindow, Check},
    {CheckFile, "checkFile", "Check File...", kNoKey, kNoKey, kWindow, Plain},
    {ShowOverview, "showOverview", "Show Overview", kNoKey, kNoKey, kWindow, Check},
    {ShowStatistics, "showStatistics", "Show Statistics", kNoKey, kNoKey, kWindow, Check},
    {ShowHistory, "showHistory", "Show History of %1", kNoKey, kNoKey, kWindow, Plain},
    {FirstRecord, "firstRecord", "First Record", Key(Qt::Key_Home), kNoKey, kView, Plain},
    {LastRecord, "lastRecord", "Last Record", Key(Qt::Key_End), kNoKey, kView, Plain},
    {PageBack, "pageBack", "Ten Records Back", Key(Qt::Key_PageUp), kNoKey, kView, Plain},
    {PageForward, "pageForward", "Ten Records Forward", Key(Qt::Key_PageDown), kNoKey, kView,
     Plain},
    {NextNode, "nextNode", "Next Node", Key(Qt::Key_Tab), kNoKey, kView, Plain},
    {PreviousNode, "previousNode", "Previous Node", Key(Qt::Key_Backtab, Qt::ShiftModifier),
     Key(Qt::Key_Tab, Qt::ShiftModifier), kView, Plain},
    {LeaveNode, "leaveNode", "Leave Node", Key(Qt::Key_Escape), kNoKey, kView, Plain},
    {ContextMenu, "contextMenu", "Context Menu", Key(Qt::Key_F10, Qt::ShiftModifier),
     Key(Qt::Key_Menu), kView, Plain},
};
static_assert(std::size(kRows) == std::size_t(CommandId::Count));

constexpr MenuEntry Item(CommandId id) {
    return {MenuEntryKind::Command, id};
}
constexpr MenuEntry kSeparator{MenuEntryKind::Separator};
constexpr MenuEntry kValues{MenuEntryKind::ValuesSubmenu};

// The picture first, then what the menu's point and the file offer.
constexpr MenuEntry kContextMenu[] = {
    Item(CopyPicture),
    Item(CopySummary),
    Item(ExportPicture),
    kSeparator,
    Item(HighlightDifferences),
    kValues,
    kSeparator,
    Item(FindRecords),
    Item(NextDifference),
    Item(PreviousDifference),
    kSeparator,
    Item(Reload),
    Item(FollowFile),
    Item(CheckFile),
    kSeparator,
    Item(ShowStatistics),
    Item(ShowOverview),
    Item(ShowHistory),
};

// Everything of the context menu that is not about the picture alone.
constexpr MenuEntry kDataMenu[] = {
    Item(FindRecords),
    Item(FindNext),
    Item(FindPrevious),
    kSeparator,
    Item(HighlightDifferences),
    Item(NextDifference),
    Item(PreviousDifference),
    kSeparator,
    kValues,
    kSeparator,
    Item(ShowStatistics),
    Item(ShowOverview),
    Item(ShowHistory),
    kSeparator,
    Item(Reload),
    Item(FollowFile),
    Item(CheckFile),
};

constexpr CommandId kValuesItems[] = {ValuesRead, ValuesMobius, ValuesSubsets, ValuesSupersets};

} // namespace

std::span<const CommandRow> CommandRows() {
    return kRows;
}

std::span<const MenuEntry> ContextMenuLayout() {
    return kContextMenu;
}

std::span<const MenuEntry> DataMenuLayout() {
    return kDataMenu;
}

std::span<const CommandId> ValuesItems() {
    return kValuesItems;
}

} // namespace quib
