#pragma once

// The framework's standard identifiers, with the values every application of
// the framework shares. The program's own identifiers live beside its
// resources.

using UINT = unsigned int;
using DWORD = unsigned long;
using LPARAM = long;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

constexpr UINT ID_SEPARATOR = 0;

constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_PAGE_SETUP = 0xE105;
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
constexpr UINT ID_FILE_PRINT = 0xE107;
constexpr UINT ID_FILE_PRINT_DIRECT = 0xE108;
constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
constexpr UINT ID_FILE_MRU_FILE2 = 0xE111;
constexpr UINT ID_FILE_MRU_FILE3 = 0xE112;
constexpr UINT ID_FILE_MRU_FILE4 = 0xE113;
constexpr UINT ID_FILE_MRU_FILE5 = 0xE114;
constexpr UINT ID_FILE_MRU_FILE16 = 0xE11F;

constexpr UINT ID_EDIT_CLEAR = 0xE120;
constexpr UINT ID_EDIT_CLEAR_ALL = 0xE121;
constexpr UINT ID_EDIT_COPY = 0xE122;
constexpr UINT ID_EDIT_CUT = 0xE123;
constexpr UINT ID_EDIT_FIND = 0xE124;
constexpr UINT ID_EDIT_PASTE = 0xE125;
constexpr UINT ID_EDIT_REPEAT = 0xE128;
constexpr UINT ID_EDIT_REPLACE = 0xE129;
constexpr UINT ID_EDIT_SELECT_ALL = 0xE12A;
constexpr UINT ID_EDIT_UNDO = 0xE12B;
constexpr UINT ID_EDIT_REDO = 0xE12C;

constexpr UINT ID_WINDOW_SPLIT = 0xE135;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_PREV_PANE = 0xE151;

constexpr UINT ID_INDICATOR_EXT = 0xE700;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;
constexpr UINT ID_INDICATOR_SCRL = 0xE703;
constexpr UINT ID_INDICATOR_OVR = 0xE704;
constexpr UINT ID_INDICATOR_REC = 0xE705;

// The bars' child ids are the View menu's commands that show and hide them.
constexpr UINT ID_VIEW_TOOLBAR = 0xE800;
constexpr UINT ID_VIEW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;

constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;
constexpr UINT AFX_IDS_SCSIZE = 0xEF00;
constexpr UINT AFX_IDS_SCMOVE = 0xEF01;
constexpr UINT AFX_IDS_SCMINIMIZE = 0xEF02;
constexpr UINT AFX_IDS_SCMAXIMIZE = 0xEF03;
constexpr UINT AFX_IDS_SCNEXTWINDOW = 0xEF04;
constexpr UINT AFX_IDS_SCPREVWINDOW = 0xEF05;
constexpr UINT AFX_IDS_SCCLOSE = 0xEF06;
constexpr UINT AFX_IDS_SCRESTORE = 0xEF12;
constexpr UINT AFX_IDS_SCTASKLIST = 0xEF13;
constexpr UINT AFX_IDS_PREVIEW_CLOSE = 0xF005;

// Recent-file entries the list keeps.
constexpr int AFX_MRU_COUNT = 4;
