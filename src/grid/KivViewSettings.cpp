// CKivView: the 設定 menu's settings and reference-file commands and the style-change commands.
#include <optional>

#include "estimate/EnzanDialog.h"
#include "estimate/FukugouDialog.h"
#include "estimate/FukukirisuteDialog.h"
#include "estimate/KivMessage.h"
#include "estimate/MarumeDialog.h"
#include "estimate/ReferenceFile.h"
#include "estimate/RoumuDialog.h"
#include "estimate/RoumufileDialog.h"
#include "estimate/SetteiDialog.h"
#include "estimate/SetteiFile.h"
#include "grid/KivView.h"
#include "grid/KivViewLinks.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"
#include "platform/files/Files.h"

namespace {

const char* const kAskIrreversible = "実行すると元には戻りません。";
const char* const kMsgToFukugou =
    "内訳作成が複合単価計算モードに設定されました。このモードで作成した内訳は付属品、雑材、労務費は必要ありませんので削除します。";
const char* const kMsgToRoumu =
    "内訳作成が労務費計上モードに設定されました。このモードで作成した内訳は付属品、雑材、労務費を入力する必要があります。マスターファイルの計算分類の２行目を追加入力します。";
const char* const kMsgToRoumuYoushiki =
    "内訳作成が労務費計上モードに設定されました。このモードで作成した内訳は付属品、雑材、労務費を入力する必要があります。マスターファイルの計算分類の２行目を追加入力します。内訳書の計が細目計・小計分類の場合有効です。";
const char* const kMsgAlreadyRoumu = "労務費計上積算モードに設定されています。";
const char* const kMsgAlreadyFukugou = "複合単価積算モード設定されています。";

std::string fullWidthBlanks(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "　";
    return s;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The recalculation frame

void CKivView::RecalcFrame(int id, kiv::ui::Dialog& dlg, bool parse, int times) {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    d->MakeCurrent();
    hideCaret();
    if (dlg.doModal() == kiv::ui::IDOK) {
        std::optional<kiv::ui::App::WaitCursorScope> wait;
        if (id == ID_FUKU_KIRISUTE)
            wait.emplace();
        SavePosition1();
        // The settings or the labour prices the amounts are computed with changed.
        d->NoteChange();
        // The pass stores the row being edited and its item first: nothing typed is lost.
        if (parse)
            d->ParseSettei();
        if (times == 0)
            times = d->IsFukugouStyle() ? 1 : 2;
        RunRecalcAllKoumoku(*this, times);
        RestorePosition1();
        LoadKoumoku();
        RestorePosition1();
        LoadGyou();
        if (id == ID_FUKU_KIRISUTE)
            CalcFieldPos();
        else
            RedrawGyou();
    }
    if (id == ID_ENZAN)
        ResetVScroll(m_VisibleGyou);
    if (id == ID_FUKU_KIRISUTE) {
        invalidate();
        updateWindow();
    }
    SetCaretToField();
    showCaret();
}

void CKivView::OnEnzan() {
    CEnzanDialog dlg;
    RecalcFrame(ID_ENZAN, dlg, true, 1);
}

void CKivView::OnMarume() {
    CmarumeDialog dlg;
    RecalcFrame(ID_MARUME, dlg, true, 1);
}

void CKivView::OnFukuKirisute() {
    CfukukirisuteDialog dlg;
    RecalcFrame(ID_FUKU_KIRISUTE, dlg, true, 0);
}

void CKivView::OnRoumuFile() {
    CRoumufileDialog dlg;
    RecalcFrame(ID_ROUMU_FILE, dlg, false, 1);
}

// A dialog that changes nothing the view shows: the caret is hidden while it runs.
void CKivView::RunSettingsDialog(kiv::ui::Dialog& dlg) {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    d->MakeCurrent();
    hideCaret();
    dlg.doModal();
    SetCaretToField();
    showCaret();
}

void CKivView::OnRoumu() {
    CRoumuDialog dlg;
    RunSettingsDialog(dlg);
}

void CKivView::OnSetteiFile() {
    CSetteiDialog dlg;
    RunSettingsDialog(dlg);
}

void CKivView::OnHyousiFile() { RunFormCommand(ID_HYOUSI_FILE); }

void CKivView::OnHeadderFile() { RunFormCommand(ID_HEADDER_FILE); }

// ---------------------------------------------------------------------------------------------
// Style change

void CKivView::OnFukugou() { StyleChange(ID_FUKUGOU); }
void CKivView::OnRoumuYoushiki() { StyleChange(ID_ROUMU_YOUSHIKI); }
void CKivView::OnFukugouYoushiki() { StyleChange(ID_FUKUGOU_YOUSHIKI); }

void CKivView::StyleChange(int id) {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    d->MakeCurrent();
    const bool menuCommand = id != ID_FUKUGOU;
    if (id == ID_ROUMU_YOUSHIKI && d->GetSetteiValues().SekisanYousiki == 0) {
        KivMessage(kMsgAlreadyRoumu);
        return;
    }
    if (id == ID_FUKUGOU_YOUSHIKI && d->GetSetteiValues().SekisanYousiki != 0) {
        KivMessage(kMsgAlreadyFukugou);
        return;
    }
    hideCaret();
    const int oldStyle = d->GetSetteiValues().SekisanYousiki;
    // The dialog writes the new style into the record and the file; the style is committed only
    // when the conversion is confirmed and done, otherwise both are put back.
    const SetteiRecord before = d->GetSettei();
    auto putBack = [&] {
        d->PutBackSettei(before);
        std::string error;
        if (!d->SetteiPath().empty() && !writeSetteiFile(d->SetteiPath(), before, &error))
            KivMessage(kiv::files::cannotCreateMessage(error));
    };
    CfukugouDialog dlg;
    if (dlg.doModal() == kiv::ui::IDOK) {
        if (!KivAsk(kAskIrreversible)) {
            putBack();
        } else {
            SavePosition1();
            if (d->CurGyou() >= 1 && d->CurGyou() <= d->GyouCount())
                StoreGyou();
            StoreKoumoku();
            d->ParseSettei();
            d->NoteChange();   // the style the amounts are computed in
            m_KeisanMissing = 0;
            const int newStyle = d->GetSetteiValues().SekisanYousiki;
            bool done = true;
            if (!dlg.m_Nokosu && oldStyle == 0 && newStyle == 1) {
                KivMessage(kMsgToFukugou);
                done = DeleteKeisanGyou();
            } else if (!dlg.m_Nokosu && oldStyle == 1 && newStyle == 0) {
                KivMessage(menuCommand ? kMsgToRoumuYoushiki : kMsgToRoumu);
                done = InsertKeisanGyou();
            }
            if (done)
                RunRecalcAllKoumoku(*this, menuCommand ? 2 : 1);
            else
                putBack();
            RestorePosition1();
            LoadKoumoku();
            RestorePosition1();
            if (d->CurGyou() > d->GyouCount() + 1)
                ClampCursorToKoumoku();
            LoadGyou();
            if (menuCommand)
                CalcFieldPos();
            else
                RedrawGyou();
        }
        if (!menuCommand)
            UpdateFukugouPanes();
    }
    if (menuCommand) {
        ClearKeisanGyouFlags();
        RedrawGyou();
    }
    SetCaretToField();
    showCaret();
}

void CKivView::UpdateFukugouPanes() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    UpdateStatusPanes();
    if (d->GetSetteiValues().SekisanYousiki != 1) {
        kiv::grid::SetStatusPaneText(kiv::grid::kPaneRoumuFile, fullWidthBlanks(21));
        kiv::grid::SetStatusPaneText(kiv::grid::kPaneRounding, fullWidthBlanks(11));
    }
}
