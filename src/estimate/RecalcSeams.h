#pragma once
// What the estimate's dialogs and grid view ask of the recalculation and of the master editor.
// Those subsystems fill the hooks when the application starts (a test fills those it drives); the
// callers call them at the points where the work belongs.
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>

class CKivDoc;
class CKivView;
class RoumuList;

struct RecalcSeams {
    // Recalculates every item of the estimate through its own grid view (CheckKeisanMode), after
    // its labour list was replaced.
    std::function<void(CKivDoc&)> checkKeisanMode;
    // The current master's labour list, or null when no master is current.
    std::function<const RoumuList*()> masterRoumu;
    // The current master's rows in file order (every category), or nullopt when no master is
    // current. The rows may be shorter than a full row; the missing bytes count as blanks.
    std::function<std::optional<std::span<const std::string>>()> masterLines;
    // Recalculates every line of the current master (RecalcAllGyou).
    std::function<void()> recalcAllGyou;
    // Recalculates the row in a grid view's row buffer and the computed rows it feeds (RecalcGyou).
    std::function<void(CKivView&)> recalcGyou;
    // Recalculates the current item of a grid view (RecalcKoumoku) and checks it for missing
    // computed rows (CheckKeisanGyou).
    std::function<void(CKivView&)> recalcKoumoku;
    std::function<void(CKivView&)> checkKeisanGyou;
    // Before a pass over every item (printing): forgets that computed rows were found missing
    // (m_KeisanMissing). After the pass: shows the one warning for missing computed rows and
    // clears the flags (ClearKeisanGyouFlags).
    std::function<void(CKivView&)> clearKeisanMissing;
    std::function<void(CKivView&)> clearKeisanGyouFlags;
    // Every item of the view's estimate, from the last to the first, recalculated `times` times
    // each through recalcKoumoku, as one pass (RecalcAllKoumoku); the editing position is back
    // afterwards.
    std::function<void(CKivView&, int times)> recalcAllKoumoku;
    // The style conversion of every item's computed rows: they are deleted (DeleteKeisanGyou) or
    // deleted and inserted afresh from the master file's templates (InsertKeisanGyou). False when
    // nothing changed because the conversion could not be done (a message said why).
    std::function<bool(CKivView&)> deleteKeisanGyou;
    std::function<bool(CKivView&)> insertKeisanGyou;
    // The style check of a view's estimate (CheckKeisanMode).
    std::function<void(CKivView&)> checkKeisanModeView;

    // The print-form dialogs of the estimate view's commands, by command id (表紙作成 32774,
    // 表紙ﾌｫｰﾑ設定 32809, ﾍｯﾀｰ設定 32810, 表紙ﾌｫｰﾑ選択 32817, ﾍｯﾀﾞｰ選択 32818, 表紙ﾌｫｰﾑ切替
    // 32854): each runs its dialog modally on the current estimate. The printing subsystem fills
    // them (ConnectFormDialogs), with the address book's 32779, 32842 and 32856.
    std::map<int, std::function<void()>> formDialogs;
};

// The one set of hooks of the program.
RecalcSeams& recalcSeams();

// Calls through the hooks; where a hook is not filled (a test without that subsystem) the call is
// skipped, and no master counts as current.
void RunCheckKeisanMode(CKivDoc& doc);
const RoumuList* CurrentMasterRoumu();
std::optional<std::span<const std::string>> CurrentMasterLines();
void RunRecalcAllGyou();
void RunRecalcGyou(CKivView& view);
void RunRecalcKoumoku(CKivView& view);
void RunCheckKeisanGyou(CKivView& view);
void RunClearKeisanMissing(CKivView& view);
void RunClearKeisanGyouFlags(CKivView& view);
void RunRecalcAllKoumoku(CKivView& view, int times);
bool RunDeleteKeisanGyou(CKivView& view);
bool RunInsertKeisanGyou(CKivView& view);
void RunCheckKeisanModeView(CKivView& view);
// Runs the form dialog of command `id`; false when none is connected.
bool RunFormDialog(int id);
