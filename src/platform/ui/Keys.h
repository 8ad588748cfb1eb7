#pragma once
// Key codes, scroll codes and the framework's own command and control ids, with the numeric
// values that the program's handlers, resources and stored settings use.
namespace kiv::ui {

// Virtual-key codes delivered to key-down and key-up handlers.
enum VirtualKey : int {
    VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12,
    VK_PAUSE = 0x13, VK_CAPITAL = 0x14, VK_KANA = 0x15, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
    VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
    VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
    VK_INSERT = 0x2D, VK_DELETE = 0x2E,
    // '0'-'9' are 0x30-0x39 and 'A'-'Z' are 0x41-0x5A, as their ASCII codes.
    VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
    VK_F1 = 0x70, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11, VK_F12,
    VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
};

// Modifier keys held with a key.
enum KeyMod : unsigned { ModNone = 0, ModShift = 1, ModCtrl = 2, ModAlt = 4 };

// Scroll bars and scroll codes of the scroll handlers.
enum ScrollBarId : int { SB_HORZ = 0, SB_VERT = 1, SB_BOTH = 3 };
enum ScrollCode : int {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
    SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};

// Results of dialogs and message boxes.
enum DialogResult : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Commands and indicators that the window layer itself understands.
namespace cmd {
constexpr int FileNew = 57600, FileOpen = 57601, FileClose = 57602, FileSave = 57603, FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606, FilePrint = 57607, FilePrintDirect = 57608, FilePrintPreview = 57609;
constexpr int FileSendMail = 57612;
constexpr int FileMruFirst = 57616, FileMruLast = 57631;
constexpr int EditCopy = 57634, EditCut = 57635, EditPaste = 57637, EditUndo = 57643;
constexpr int WindowNew = 57648, WindowArrange = 57649, WindowCascade = 57650, WindowTileHorz = 57651;
// The document windows listed at the end of the window menu: the first listed, ..., the ninth.
constexpr int WindowChildFirst = 0xFF00, WindowChildLast = 0xFF08;
constexpr int AppAbout = 57664, AppExit = 57665;
constexpr int NextPane = 57680, PrevPane = 57681;
constexpr int ViewToolbar = 59392, ViewStatusBar = 59393;
constexpr int IndicatorCaps = 59137, IndicatorNum = 59138, IndicatorScroll = 59139, IndicatorKana = 59142;
constexpr int Separator = 0;   // a separator in menus, toolbars and status-bar indicator lists
} // namespace cmd

} // namespace kiv::ui
