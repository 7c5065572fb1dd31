#pragma once

// The resources an application hands to the framework: its string table,
// menu, accelerators, toolbar, dialog templates and pictures. The frame,
// bars and dialogs are built from these tables.

#include "AfxRes.h"

#include <QIcon>
#include <QKeyCombination>
#include <QPixmap>
#include <QString>

#include <span>

struct StringResource {
    UINT id;
    const char* text;
};

// The name of every command identifier, as the actions' object names.
struct CommandName {
    UINT id;
    const char* name;
};

// A menu entry; id ID_SEPARATOR (label null) is a separator.
struct MenuItem {
    UINT id;
    const char* label;
};

struct MenuPopup {
    const char* title;
    std::span<const MenuItem> items;
};

struct Accelerator {
    QKeyCombination key;
    UINT id;
};

enum class DialogControlKind { Icon, Static, StaticNoPrefix, Edit, PushButton, DefPushButton };

// Positions and sizes in dialog units.
struct DialogControl {
    DialogControlKind kind;
    int id; // -1: none
    const char* text;
    int x, y, cx, cy;
};

struct DialogTemplate {
    UINT id;
    const char* caption;
    const char* fontName;
    int pointSize;
    int cx, cy;
    std::span<const DialogControl> controls;
};

struct AfxResourceTables {
    std::span<const StringResource> strings;
    std::span<const CommandName> commandNames;
    std::span<const MenuPopup> menu;
    std::span<const Accelerator> accelerators;
    std::span<const UINT> toolbar; // ID_SEPARATOR between groups
    std::span<const DialogTemplate> dialogs;
    QPixmap (*toolbarBitmap)(qreal devicePixelRatio); // button images side by side
    QSize toolbarButtonSize;
    QIcon (*mainIcon)();
};

// The application registers its tables before anything is built from them.
void AfxSetResources(const AfxResourceTables* tables);
const AfxResourceTables& AfxGetResources();

// The string resource of that id; empty when there is none.
QString AfxLoadString(UINT id);
const DialogTemplate* AfxFindDialogTemplate(UINT id);
// The label of the command's menu item; empty when no item offers it.
QString AfxFindMenuLabel(UINT id);
