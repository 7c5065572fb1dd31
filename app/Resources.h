#pragma once

// The program's resource identifiers and its resource tables: menu,
// accelerators, toolbar, string table, dialogs, pictures. The framework's
// standard identifiers come from AfxRes.h; the frame, the dialogs and the
// tests are built from these tables.

#include "AfxRes.h"
#include "AfxResources.h"

#include <QImage>

class QPainter;

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDD_ABOUTBOX = 100;
constexpr UINT IDD_RECORD_NUMBER = 130;
constexpr int IDC_RECORD_NUMBER = 1000;

constexpr UINT ID_NAVIGATE_UP = 0x8003;
constexpr UINT ID_NAVIGATE_DOWN = 0x8004;
constexpr UINT ID_NAVIGATE_FIRST = 0x8005;
constexpr UINT ID_NAVIGATE_LAST = 0x8006;
constexpr UINT ID_NAVIGATE_GOTO = 0x8009;
constexpr UINT ID_OPTIONS_HIGHLIGHT = 0x800A;
constexpr UINT ID_OPTIONS_SCALE_LARGER = 0x800B;
constexpr UINT ID_OPTIONS_SCALE_SMALLER = 0x800C;
constexpr UINT ID_OPTIONS_FONT = 0x800D;
constexpr UINT ID_FILE_IMPORT = 0x800E;

// The About box's notice line, also the About command's tooltip.
inline constexpr const char* kNoticeLine = "Copyright (C) the Quib authors";

// Everything above, as the framework takes it.
extern const AfxResourceTables kQuibResources;

namespace quib {

// The eight toolbar button images side by side, 16 x 15 pixels each.
QPixmap DrawToolbarBitmap(qreal devicePixelRatio);
// The application icon at 16 x 16 and 32 x 32.
QIcon DrawApplicationIcon();
// The icon at one size, and its drawing on any painter (a PNG, an SVG).
QImage DrawApplicationIconImage(int size);
void PaintApplicationIcon(QPainter& painter, int size);

} // namespace quib
