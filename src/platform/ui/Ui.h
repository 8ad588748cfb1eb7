#pragma once
// The window layer: how the program's application, frames, views and dialogs are written.
//
// The program's classes are written against this layer the way they would be against a
// document/view framework; the layer never includes Qt. main.cpp runs the application on the
// Qt backend (kiv::qt::runApplication); tests run it on the headless backend, drive it with
// events and read back what was drawn (see tests/support/HeadlessUi.h and
// tests/platform/ui/TestWindowLayer.cpp for small complete examples).
//
// Text rule. Text that comes from or goes into records (Dc::textOut, tree labels, the contents
// of dialog controls, characters typed into a view) is CP932 bytes in std::string, so record
// fields go in and out unchanged. Text declared in the source (menu and toolbar texts, captions,
// titles, status-bar texts, message-box texts, file-dialog filters) is UTF-8 and is converted
// by the backend. A record text shown as UI text is converted once with text::toUtf8.
//
// Application (App.h). Derive from ui::App, override initInstance: load the recent files
// (loadStdProfileSettings), add the document templates in order, create the main frame and
// show it; open arguments().. / commandLineFile() if any. Templates are
//     addDocTemplate(std::make_unique<ui::DocTemplate>(141, "\n内訳書\n内訳書\nMes Files (*.mes)\n.MES\nKiv.Document\nKiv Document",
//                    ui::factoryOf<CKivDoc>(), ui::factoryOf<CSplitFrame>()));   // no view: the frame makes its panes
// and a template's menu and accelerators are set with setMenu / setAccelerators (tables in
// src/resources). Commands are numeric ids. Any CommandTarget (app, main frame, child frame,
// document, view) registers handlers in its constructor:
//     onCommandId(57600, [this] { OnFileNew(); });
//     onCommandRange(57616, 57631, [this](int id) { return OnOpenRecentFile(id); });
//     onUpdateCommandId(57635, [](ui::CommandState& s) { s.enable(); });
// routeCommand(id) tries the active view, its document, its frame, the main frame and the app;
// the first handler wins; a command nobody handles is disabled. sendCommand(id) on any window
// routes the same way (as "send the command to the main window" does).
//
// Main frame (Frame.h). Derive from ui::MainFrame; preCreateWindow sets the placement; onCreate
// adds toolbars (addToolbar), the status bar (statusBar().setIndicators) and dragAcceptFiles();
// loadBarState / saveBarState keep the bars in the profile; onClose, onSize, onDropFiles may be
// overridden (call the base). Window commands 57648-57651 and panes 57680/57681 are built in,
// and so are the list of document windows at the end of the window menu (cmd::WindowChildFirst
// onwards) and the keys that switch them: Ctrl+F6 / Ctrl+Tab, with Shift backwards; no view
// sees those keys' presses, releases or characters.
//
// Child frames. ui::ChildFrame shows the template's view; a splitter frame overrides
// onCreateClient(ctx): create a ui::Splitter with createStatic(this, 1, 2), then
// createView(0, col, factoryOf<CKivView>(), {width, height}, ctx) for each pane.
//
// Views (View.h). Derive from ui::View (or ui::TreeView for a tree pane). Override the handlers
// you need; each base handler is the window's default handling of its event, so an override
// calls it when the event should get that handling as well:
//     onCreate (return -1 to fail), onInitialUpdate, onUpdate, onActivateView, onDraw(Dc&),
//     onShowWindow, onSize, onSetFocus / onKillFocus, onKeyDown / onKeyUp (virtual keys,
//     Keys.h), onChar (one CP932 byte per call, a double-byte character as two calls, lead byte
//     first; Backspace, Tab, Enter, Esc as 8, 9, 13, 27), onLButtonDown / onLButtonDblClk /
//     onRButtonDown (client pixels), onVScroll / onHScroll (SB_ codes, position), onMouseWheel
//     (sign of the delta), onTimer(id).
// Accelerators are translated before onKeyDown, so a key bound to a command never reaches it.
// Drawing outside onDraw uses getDc(); invalidate() + updateWindow() repaints at once;
// scrollWindow + validateRect moves pixels without repainting them. The device context (Dc.h)
// lays text out cell by cell: a CP932 byte is one cell of aveCharWidth, whatever the face. The
// caret (createSolidCaret, setCaretPos, showCaret / hideCaret: a switch, not a counter), the
// scroll bars (setScrollRange / setScrollPos, clamped), timers (setTimer: they wait while a
// command or modal dialog runs) and the input method (setImeOpen) belong to the window.
// The view's document is document(); its frame is parentFrame().
//
// Documents (Document.h). Derive from ui::Document; serialize(Archive&) reads or writes the
// archive format; onNewDocument / onOpenDocument / onSaveDocument / onCloseDocument call the
// base. Save, Save As and Close (57602-57604) are built in; updateAllViews reaches the views.
//
// Dialogs (Dialog.h, which has a complete example). A dialog is its template (resource id,
// title, size and the control table in dialog units) plus a class: members, doDataExchange
// (dx.text / check / radio / cbString / lbString, with the length limit or range each field allows),
// onShowDialog for the initial filling (runs once, before the user sees the dialog), handlers
// registered with onClicked / onNotify(id, Notify::KillFocus, ...), and endDialog(code) for
// buttons that close with their own code. Controls take and give CP932; a failed validation
// shows a message, focuses the control and keeps the dialog open. Tests answer a modal dialog
// with HeadlessBackend::expectDialog(script) and drive it through a DialogDriver.
//
// Prompts. ui::messageBox(text, MB_YESNO, caption) returns IDYES etc.; the caption defaults to
// "kiv". ui::fileDialog(request) (CommonDialogs.h) takes the filter "desc|*.EXT|...|" and the
// default extension, matches without regard to case and asks before overwriting;
// ui::fontDialog gives a negative height; MainFrame::showFindDialog opens the modeless find
// dialog, whose events reach MainFrame::onFindReplace. Message and file-dialog texts are UTF-8;
// the find text is CP932. App::beginWaitCursor / endWaitCursor (nested) show the wait cursor.
// On the headless backend every prompt needs a queued answer (expectMessageBox, expectFile,
// expectFont, expectDialog); anything else fails the test, and every text shown is recorded.
#include "platform/ui/App.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Document.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/View.h"
