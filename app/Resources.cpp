#include "Resources.h"

#include <array>

namespace {

constexpr CommandName kCommandNames[] = {
    {ID_FILE_NEW, "ID_FILE_NEW"},
    {ID_FILE_OPEN, "ID_FILE_OPEN"},
    {ID_FILE_IMPORT, "ID_FILE_IMPORT"},
    {ID_FILE_SAVE, "ID_FILE_SAVE"},
    {ID_FILE_PRINT, "ID_FILE_PRINT"},
    {ID_FILE_PRINT_DIRECT, "ID_FILE_PRINT_DIRECT"},
    {ID_FILE_PRINT_PREVIEW, "ID_FILE_PRINT_PREVIEW"},
    {ID_FILE_PRINT_SETUP, "ID_FILE_PRINT_SETUP"},
    {ID_FILE_MRU_FILE1, "ID_FILE_MRU_FILE1"},
    {ID_FILE_MRU_FILE2, "ID_FILE_MRU_FILE2"},
    {ID_FILE_MRU_FILE3, "ID_FILE_MRU_FILE3"},
    {ID_FILE_MRU_FILE4, "ID_FILE_MRU_FILE4"},
    {ID_APP_EXIT, "ID_APP_EXIT"},
    {ID_NAVIGATE_UP, "ID_NAVIGATE_UP"},
    {ID_NAVIGATE_DOWN, "ID_NAVIGATE_DOWN"},
    {ID_NAVIGATE_FIRST, "ID_NAVIGATE_FIRST"},
    {ID_NAVIGATE_LAST, "ID_NAVIGATE_LAST"},
    {ID_NAVIGATE_GOTO, "ID_NAVIGATE_GOTO"},
    {ID_OPTIONS_HIGHLIGHT, "ID_OPTIONS_HIGHLIGHT"},
    {ID_OPTIONS_SCALE_LARGER, "ID_OPTIONS_SCALE_LARGER"},
    {ID_OPTIONS_SCALE_SMALLER, "ID_OPTIONS_SCALE_SMALLER"},
    {ID_OPTIONS_FONT, "ID_OPTIONS_FONT"},
    {ID_VIEW_TOOLBAR, "ID_VIEW_TOOLBAR"},
    {ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR"},
    {ID_APP_ABOUT, "ID_APP_ABOUT"},
    {ID_EDIT_COPY, "ID_EDIT_COPY"},
    {ID_EDIT_CUT, "ID_EDIT_CUT"},
    {ID_EDIT_PASTE, "ID_EDIT_PASTE"},
    {ID_EDIT_UNDO, "ID_EDIT_UNDO"},
    {ID_NEXT_PANE, "ID_NEXT_PANE"},
    {ID_PREV_PANE, "ID_PREV_PANE"},
};

constexpr MenuItem kFileMenu[] = {
    {ID_FILE_NEW, "&New"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_IMPORT, "&Import"},
    {ID_SEPARATOR, nullptr},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup..."},
    {ID_SEPARATOR, nullptr},
    {ID_FILE_MRU_FILE1, "Recent File"},
    {ID_SEPARATOR, nullptr},
    {ID_APP_EXIT, "E&xit"},
};

constexpr MenuItem kNavigateMenu[] = {
    {ID_NAVIGATE_UP, "&Up\tArrow-Left"},
    {ID_NAVIGATE_DOWN, "&Down\tArrow-Right"},
    {ID_NAVIGATE_FIRST, "&First\tArrow-Down"},
    {ID_NAVIGATE_LAST, "&Last\tArrow-Up"},
    {ID_SEPARATOR, nullptr},
    {ID_NAVIGATE_GOTO, "&Goto Record\tCtrl-G"},
};

constexpr MenuItem kOptionsMenu[] = {
    {ID_OPTIONS_HIGHLIGHT, "&Highlight Minimal Nodes"},
    {ID_SEPARATOR, nullptr},
    {ID_OPTIONS_SCALE_LARGER, "Scale &larger"},
    {ID_OPTIONS_SCALE_SMALLER, "Scale &smaller"},
    {ID_SEPARATOR, nullptr},
    {ID_OPTIONS_FONT, "&Font"},
};

constexpr MenuItem kViewMenu[] = {
    {ID_VIEW_TOOLBAR, "&Toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar"},
};

constexpr MenuItem kHelpMenu[] = {
    {ID_APP_ABOUT, "&About Quib..."},
};

const MenuPopup kMenu[] = {
    {"&File", kFileMenu}, {"&Navigate", kNavigateMenu}, {"&Options", kOptionsMenu},
    {"&View", kViewMenu}, {"&Help", kHelpMenu},
};

// In the order of the accelerator table. Down is First and Up is Last,
// whatever the menu's hints say.
constexpr Accelerator kAccelerators[] = {
    {QKeyCombination(Qt::ControlModifier, Qt::Key_C), ID_EDIT_COPY},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_G), ID_NAVIGATE_GOTO},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_N), ID_FILE_NEW},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_O), ID_FILE_OPEN},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_P), ID_FILE_PRINT},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_S), ID_FILE_SAVE},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_V), ID_EDIT_PASTE},
    {QKeyCombination(Qt::AltModifier, Qt::Key_Backspace), ID_EDIT_UNDO},
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete), ID_EDIT_CUT},
    {QKeyCombination(Qt::Key_Down), ID_NAVIGATE_FIRST},
    {QKeyCombination(Qt::Key_F6), ID_NEXT_PANE},
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_F6), ID_PREV_PANE},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Insert), ID_EDIT_COPY},
    {QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert), ID_EDIT_PASTE},
    {QKeyCombination(Qt::Key_Left), ID_NAVIGATE_UP},
    {QKeyCombination(Qt::Key_Right), ID_NAVIGATE_DOWN},
    {QKeyCombination(Qt::Key_Up), ID_NAVIGATE_LAST},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_X), ID_EDIT_CUT},
    {QKeyCombination(Qt::ControlModifier, Qt::Key_Z), ID_EDIT_UNDO},
};

constexpr UINT kToolbar[] = {
    ID_FILE_NEW,    ID_FILE_OPEN,     ID_SEPARATOR,     ID_FILE_PRINT,
    ID_SEPARATOR,   ID_APP_ABOUT,     ID_SEPARATOR,     ID_NAVIGATE_FIRST,
    ID_NAVIGATE_UP, ID_NAVIGATE_DOWN, ID_NAVIGATE_LAST,
};

// Each command's string: the status bar prompt, a newline, the tooltip.
const StringResource kStrings[] = {
    {AFX_IDS_APP_TITLE, "Quib"},
    {IDR_MAINFRAME, "Quib\n\nMyQuib\n\n\nMyQuib.Document\nMyQuib Document"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_IMPORT, "Import data file for viewing next to original dataset\nImport"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_FILE_MRU_FILE2, "Open this document"},
    {ID_FILE_MRU_FILE3, "Open this document"},
    {ID_FILE_MRU_FILE4, "Open this document"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_NAVIGATE_UP, "Move one record up\nUp"},
    {ID_NAVIGATE_DOWN, "Move one record down\nDown"},
    {ID_NAVIGATE_FIRST, "Move to first record\nFirst"},
    {ID_NAVIGATE_LAST, "Move to last record\nLast"},
    {ID_NAVIGATE_GOTO, "Select particular record to go to\nGoto Record"},
    {ID_OPTIONS_HIGHLIGHT, "Show highlight around minimal nodes\nHighlight Minimal Nodes"},
    {ID_OPTIONS_SCALE_LARGER, "Scale picture to larger than current size\nScale larger"},
    {ID_OPTIONS_SCALE_SMALLER, "Scale picture to smaller than its current size\nScale smaller"},
    {ID_OPTIONS_FONT, "Select font with which to display text\nFont"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_APP_ABOUT, "Quib, version 0.9\nCopyright (C) the Quib authors\n"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_REC, "REC"},
    {AFX_IDS_SCSIZE, "Change the window size"},
    {AFX_IDS_SCMOVE, "Change the window position"},
    {AFX_IDS_SCMINIMIZE, "Reduce the window to an icon"},
    {AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size"},
    {AFX_IDS_SCNEXTWINDOW, "Switch to the next document window"},
    {AFX_IDS_SCPREVWINDOW, "Switch to the previous document window"},
    {AFX_IDS_SCCLOSE, "Close the active window and prompts to save the documents"},
    {AFX_IDS_SCRESTORE, "Restore the window to normal size"},
    {AFX_IDS_SCTASKLIST, "Activate Task List"},
    {AFX_IDS_PREVIEW_CLOSE, "Close print preview mode\nCancel Preview"},
    {ID_FILE_CLOSE, "Close the active document\nClose"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PAGE_SETUP, "Change the printing options\nPage Setup"},
    {ID_FILE_MRU_FILE5, "Open this document"},
    {ID_FILE_MRU_FILE5 + 1, "Open this document"},
    {ID_FILE_MRU_FILE5 + 2, "Open this document"},
    {ID_FILE_MRU_FILE5 + 3, "Open this document"},
    {ID_FILE_MRU_FILE5 + 4, "Open this document"},
    {ID_FILE_MRU_FILE5 + 5, "Open this document"},
    {ID_FILE_MRU_FILE5 + 6, "Open this document"},
    {ID_FILE_MRU_FILE5 + 7, "Open this document"},
    {ID_FILE_MRU_FILE5 + 8, "Open this document"},
    {ID_FILE_MRU_FILE5 + 9, "Open this document"},
    {ID_FILE_MRU_FILE5 + 10, "Open this document"},
    {ID_FILE_MRU_FILE16, "Open this document"},
    {ID_EDIT_CLEAR, "Erase the selection\nErase"},
    {ID_EDIT_CLEAR_ALL, "Erase everything\nErase All"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_EDIT_REPEAT, "Repeat the last action\nRepeat"},
    {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_WINDOW_SPLIT, "Split the active window into panes\nSplit"},
};

constexpr DialogControl kAboutBoxControls[] = {
    {DialogControlKind::Icon, -1, nullptr, 11, 17, 20, 20},
    {DialogControlKind::StaticNoPrefix, -1, "Quib Version 1.0", 40, 10, 119, 8},
    {DialogControlKind::Static, -1, kNoticeLine, 40, 25, 188, 23},
    {DialogControlKind::DefPushButton, IDOK, "OK", 178, 7, 50, 14},
};

constexpr DialogControl kRecordNumberControls[] = {
    {DialogControlKind::Edit, IDC_RECORD_NUMBER, nullptr, 49, 7, 40, 14},
    {DialogControlKind::DefPushButton, IDOK, "OK", 129, 7, 50, 14},
    {DialogControlKind::PushButton, IDCANCEL, "Cancel", 129, 24, 50, 14},
    {DialogControlKind::Static, -1, "Record nr:", 7, 10, 34, 8},
};

const DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, "About Quib", "MS Sans Serif", 8, 235, 55, kAboutBoxControls},
    {IDD_RECORD_NUMBER, "Record Number Selection Dialog", "MS Sans Serif", 8, 186, 95,
     kRecordNumberControls},
};

} // namespace

const AfxResourceTables kQuibResources = {
    kStrings,
    kCommandNames,
    kMenu,
    kAccelerators,
    kToolbar,
    kDialogs,
    &quib::DrawToolbarBitmap,
    QSize(16, 15),
    &quib::DrawApplicationIcon,
};
