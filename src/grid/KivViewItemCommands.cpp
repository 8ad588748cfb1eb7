// The estimate view's item commands 項目移動, 項目挿入, 項目削除, 項目集計作成 and 合計入力.
#include <algorithm>
#include <cstdio>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "estimate/MasterPath.h"
#include "estimate/MstFileReader.h"
#include "grid/GoukeiDialog.h"
#include "grid/KivView.h"
#include "grid/KoumokuDialog.h"
#include "grid/MoveDialog.h"
#include "platform/text/Cp932.h"
#include "platform/text/FixedField.h"
#include "platform/text/Number.h"
#include "platform/ui/App.h"

using kiv::text::sj;

namespace {

const char* const kAskNewKoumoku = "新しい項目を追加します。よろしいですか？";
const char* const kAskInsertKoumoku = "項目の挿入を行います。復活できません。よろしいですか？";
const char* const kAskDeleteKoumoku = "項目の削除を行います。復活できません。よろしいですか？";
const char* const kTooLarge = "入力された数値が大きすぎます。再入力してください。";

constexpr int kMoveSlot = 1;
constexpr int kSyuukeiSlot = 7;
constexpr int kGoukeiSlot = 10;
constexpr std::size_t kLabelBytes = 10;   // the part of 品名 a total row's label fills
constexpr int kKeihiTemplate = 11;
constexpr int kSyouhizeiTemplate = 12;

const char* const kSyuukeiMessages[] = {
    "記号に項目番号が入ってないか、作成した項目の１行目の分類が細目でないものは表示されませんので確認してください",
    "記号に項目番号が入ってないか、作成した項目の１行目の分類が小項目でないものは表示されませんので確認してください",
    "記号に項目番号が入ってないか、作成した項目の１行目の分類が中項目でないものは表示されませんので確認してください",
    "記号に項目番号が入ってないか、作成した項目の１行目の分類が大項目でないものは表示されませんので確認してください",
};

// The heading levels in the order of the dialog's boxes.
constexpr EnzanCode kLevels[] = {EnzanCode::Saimoku, EnzanCode::Syoukoumoku, EnzanCode::Tyuukoumoku,
                                 EnzanCode::Daikoumoku};

std::string trimRight(std::string_view s) { return std::string(kiv::text::trimRightBlanks(s)); }

// The kind whose code the row 合計入力 inserts carries, by the dialog's button.
EnzanCode GoukeiKind(int result) {
    switch (result) {
    case CGoukeiDialog::Tyuukei: return EnzanCode::Tyuukei;
    case CGoukeiDialog::Soukei: return EnzanCode::HyousiKei;
    case CGoukeiDialog::Naikei: return EnzanCode::KoumokunaiKei;
    case CGoukeiDialog::Saikei: return EnzanCode::Saikei;
    case CGoukeiDialog::Keihi1: return EnzanCode::Keihi1;
    case CGoukeiDialog::Keihi2: return EnzanCode::Syouhizei;
    default: return EnzanCode::Syoukei;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// 項目移動

void CKivView::OnKoumokuMove() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    hideCaret();
    StoreGyou();
    RecalcKoumoku();
    CheckKeisanGyou();
    StoreKoumoku();
    SavePosition(kMoveSlot);
    RebuildKoumokuList();

    auto back = [&] {
        RestorePosition(kMoveSlot);
        LoadKoumoku();
        LoadGyou();
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    };

    CMoveDialog dlg(d, this);
    if (dlg.doModal() != kiv::ui::IDOK) {
        back();
        return;
    }
    const int target = dlg.m_KoumokuNo;
    const int count = d->KoumokuCount();
    if (target > count + 1 || target < 1) {
        KivMessage(kTooLarge);
        back();
        return;
    }
    if (target == count + 1) {
        if (!KivAsk(kAskNewKoumoku)) {
            back();
            return;
        }
        // The new item's row needs a place: at 9999 items or a full estimate, the limit message
        // and nothing changes.
        if (!d->HasRoomForKoumoku()) {
            back();
            return;
        }
        d->SetKoumokuCount(count + 1);
        d->SetCurKoumoku(target);
        LoadKoumoku();   // an item without rows gets its row 1
        StoreKoumoku();
        d->SetModifiedFlag();
        d->MarkTreeDirty();
    } else {
        d->SetCurKoumoku(target);
        LoadKoumoku();
    }
    CursorToKoumokuTop();
    LoadGyou();
    FinishKoumokuCommand();
}

// ---------------------------------------------------------------------------------------------
// 項目挿入, 項目削除

void CKivView::OnKoumokuInsert() {
    CKivDoc* d = GetDocument();
    if (!d || !KivAsk(kAskInsertKoumoku))
        return;
    hideCaret();
    d->MarkTreeDirty();
    StoreGyou();
    StoreKoumoku();
    // Refused with the limit message when no item fits any more: the estimate stays as it was.
    if (d->InsertKoumoku()) {
        d->NoteRowsRewritten();
        d->SetModifiedFlag();
    }
    LoadKoumoku();
    m_HScrollPairs = 0;
    CursorToKoumokuTop();
    LoadGyou();
    StoreGyou();
    invalidate();
    FinishKoumokuCommand();
}

void CKivView::OnKoumokuDelete() {
    CKivDoc* d = GetDocument();
    if (!d || !KivAsk(kAskDeleteKoumoku))
        return;
    hideCaret();
    d->MarkTreeDirty();
    StoreGyou();
    StoreKoumoku();
    d->DeleteKoumoku();
    d->NoteRowsRewritten();
    d->SetModifiedFlag();
    LoadKoumoku();
    m_HScrollPairs = 0;
    CursorToKoumokuTop();
    LoadGyou();
    FinishKoumokuCommand();
}

// ---------------------------------------------------------------------------------------------
// 項目集計作成

void CKivView::OnKoumokuSyuukei() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    CKoumokuDialog dlg(this);
    if (dlg.doModal() != kiv::ui::IDOK)
        return;
    const int chosen[] = {dlg.m_Saimoku, dlg.m_Syoukoumoku, dlg.m_Tyuukoumoku, dlg.m_Daikoumoku};
    const int level = static_cast<int>(std::find(std::begin(chosen), std::end(chosen), 1) - std::begin(chosen));
    if (level >= 4)
        return;
    const SetteiValues& codes = d->GetSetteiValues();
    const EnzanCode levelCode = kLevels[level];

    hideCaret();
    StoreGyou();
    StoreKoumoku();
    SavePosition(kSyuukeiSlot);
    const int s = d->CurKoumoku();
    if (!d->InsertKoumoku()) {   // the limit message has been shown; nothing else happens
        RestorePosition(kSyuukeiSlot);
        LoadKoumoku();
        LoadGyou();
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }
    d->NoteRowsRewritten();
    d->SetModifiedFlag();

    // The scan. Its rows are kept here, apart from the row clipboard, so that a copy waiting to
    // be pasted is still there afterwards. The category read before the command never stops it.
    std::vector<std::string> rows;
    bool flag = false;
    m_BunNo = 0;
    for (int k = s + 1; k <= d->KoumokuCount(); ++k) {
        bool stop = false;
        for (EnzanCode other : kLevels)
            if (other != levelCode && codes.matches(other, m_BunNo))
                stop = true;
        if (stop)
            break;
        d->SetCurKoumoku(k);
        LoadKoumoku();
        for (int g = 1; g <= d->GyouCount(); ++g) {
            d->SetCurGyou(g);
            LoadGyou();
            const bool hasKigou = !GyouRecord::isBlank(m_EditGyou, GyouRecord::Kigou);
            ReadBunNo();
            if (hasKigou && codes.matches(levelCode, m_BunNo)) {
                std::string row = m_EditGyou;
                GyouRecord::putNumber(row, GyouRecord::HiroidasiSuu1, "1");
                GyouRecord::blank(row, GyouRecord::TanniTail);
                GyouRecord::putText(row, GyouRecord::Tanni, sj("式"));
                rows.push_back(std::move(row));
            } else if (g == 1) {
                flag = true;
            }
        }
    }

    // Item S: the summary rows in scan order, then an empty numbered row. Each row is opened at
    // the cursor while the item and the estimate have room (the limit message stops the rest).
    RestorePosition(kSyuukeiSlot);
    d->SetCurKoumoku(s);
    LoadKoumoku();
    d->SetCurGyou(1);
    for (const std::string& row : rows) {
        if (!ShiftGyouDown())
            break;
        m_EditGyou = row;
        RenumberGyou();
        StoreGyou();
        d->SetCurGyou(d->CurGyou() + 1);
    }
    RenumberStoreGyou();
    StoreKoumoku();

    // 細目 and 小項目: the list ends before the first symbol that occurs again further down, so a
    // summary item met in the scan does not list its items twice.
    if (levelCode == EnzanCode::Saimoku || levelCode == EnzanCode::Syoukoumoku) {
        const int n = d->GyouCount();
        std::vector<std::string> kigou;
        for (int g = 1; g <= n; ++g) {
            d->SetCurGyou(g);
            LoadGyou();
            kigou.emplace_back(GyouRecord::raw(m_EditGyou, GyouRecord::Kigou));
        }
        int first = 0;
        for (int g = 0; g < n && first == 0; ++g)
            if (std::find(kigou.begin() + g + 1, kigou.end(), kigou[static_cast<std::size_t>(g)]) != kigou.end())
                first = g + 1;
        if (first > 0) {
            // Rows without a key leave the item when it is stored.
            for (int g = first; g <= n; ++g) {
                d->SetCurGyou(g);
                ClearGyouBuffer();
                StoreGyou();
            }
            StoreKoumoku();
            d->RebuildGyouIndex();
            d->SetCurKoumoku(s);
            LoadKoumoku();   // an item left without rows gets its one empty row
            StoreKoumoku();
        }
    }

    d->SetCurKoumoku(s);
    d->SetCurGyou(1);
    RecalcKoumoku();
    StoreKoumoku();
    d->MarkTreeDirty();
    d->MarkNeedsRecalc();
    CursorToKoumokuTop();
    LoadGyou();
    FinishKoumokuCommand();
    if (flag)
        KivMessage(kSyuukeiMessages[level]);
}

// ---------------------------------------------------------------------------------------------
// 合計入力

void CKivView::OnGoukeiInput() {
    CKivDoc* d = GetDocument();
    if (!d)
        return;
    SavePosition(kGoukeiSlot);
    hideCaret();
    auto showAgain = [&] {
        RestorePosition(kGoukeiSlot);
        LoadGyou();
        CalcFieldPos();
        SetCaretToField();
        showCaret();
    };

    // The templates come from the master file, read on its own: the estimate's rows stay where
    // they are whatever the file holds.
    std::optional<KeisanTemplates> found;
    std::string message;
    {
        kiv::ui::App::WaitCursorScope wait;
        found = ReadKeisanTemplates(MasterFilePath(CKivDoc::RunMode()), d->m_SetteiValues, message);
    }
    if (!found) {
        KivMessage(message);
        showAgain();
        return;
    }
    const KeisanTemplates& templates = *found;
    if (templates.oldLayout)
        KivMessage(kMstOldLayoutMessage);
    d->SetKeisanTemplates(templates.rows);

    CGoukeiDialog dlg(this);
    const std::string& keihi = d->KeisanTemplate(kKeihiTemplate);
    const std::string& zei = d->KeisanTemplate(kSyouhizeiTemplate);
    if (!keihi.empty()) {
        dlg.m_Keihi1Name = trimRight(GyouRecord::raw(keihi, GyouRecord::Hinmei));
        dlg.m_Keihi1Ritu = trimRight(GyouRecord::raw(keihi, GyouRecord::Kakeritu));
    }
    if (!zei.empty()) {
        dlg.m_Keihi2Name = trimRight(GyouRecord::raw(zei, GyouRecord::Hinmei));
        dlg.m_Keihi2Ritu = trimRight(GyouRecord::raw(zei, GyouRecord::Kakeritu));
    }
    RestorePosition(kGoukeiSlot);
    if (dlg.doModal() != kiv::ui::IDOK) {
        showAgain();
        return;
    }
    // The kind's code makes the row a total, expense or tax row; without one the row would be
    // an empty row of category 0000 that no calculator fills.
    const SetteiValues& codes = d->GetSetteiValues();
    const EnzanCode kind = GoukeiKind(dlg.m_Result);
    if (codes.code(kind) == 0) {
        KivMessage(std::string("演算分類設定に「") + enzanCodeInfo(kind).caption +
                   "」の分類が設定されていないため、行を入力できません。設定メニューの演算分類設定で分類を設定してください。");
        showAgain();
        return;
    }
    RestorePosition(kGoukeiSlot);
    LoadGyou();
    // The row goes below the cursor's row every time, the first time after the window was
    // activated too, so that a total sums the row it was asked under.
    m_InsertStarted = 1;
    if (!InsertGyou()) {   // a full item or estimate: the limit message, no row
        CalcFieldPos();
        SetCaretToField();
        showCaret();
        return;
    }

    auto totalRow = [&](EnzanCode kind, const std::string& label) {
        char bunNo[16];
        std::snprintf(bunNo, sizeof bunNo, "%04d", codes.code(kind));
        GyouRecord::putText(m_EditGyou, GyouRecord::BunNo, std::string(bunNo).substr(0, 4));
        GyouRecord::putText(m_EditGyou, GyouRecord::BunGyouNo, "9999");
        std::string text = kiv::text::fitBytes(label, kLabelBytes);
        text.resize(kLabelBytes, ' ');
        GyouRecord::blank(m_EditGyou, GyouRecord::Hinmei);
        GyouRecord::putText(m_EditGyou, GyouRecord::Hinmei, text);
    };
    auto keihiRow = [&](const std::string& tmpl, const std::string& name, const std::string& ritu) {
        for (int field : {GyouRecord::BunNo, GyouRecord::BunGyouNo, GyouRecord::Tanni, GyouRecord::TanniTail}) {
            GyouRecord::blank(m_EditGyou, field);
            if (!tmpl.empty())
                GyouRecord::putText(m_EditGyou, field, GyouRecord::raw(tmpl, field));
        }
        GyouRecord::blank(m_EditGyou, GyouRecord::Hinmei);
        GyouRecord::putTextFitted(m_EditGyou, GyouRecord::Hinmei, name);
        GyouRecord::blank(m_EditGyou, GyouRecord::Kakeritu);
        GyouRecord::putNumber(m_EditGyou, GyouRecord::Kakeritu, kiv::text::trimBlanks(ritu));
    };
    switch (dlg.m_Result) {
    case CGoukeiDialog::Syoukei: totalRow(kind, dlg.m_SyoukeiLabel); break;
    case CGoukeiDialog::Tyuukei: totalRow(kind, dlg.m_TyuukeiLabel); break;
    case CGoukeiDialog::Soukei: totalRow(kind, dlg.m_SoukeiLabel); break;
    case CGoukeiDialog::Naikei: totalRow(kind, dlg.m_NaikeiLabel); break;
    case CGoukeiDialog::Saikei: totalRow(kind, dlg.m_SaikeiLabel); break;
    case CGoukeiDialog::Keihi1: keihiRow(keihi, dlg.m_Keihi1Name, dlg.m_Keihi1Ritu); break;
    case CGoukeiDialog::Keihi2: keihiRow(zei, dlg.m_Keihi2Name, dlg.m_Keihi2Ritu); break;
    default: break;
    }
    StoreGyou();
    StoreKoumoku();
    RecalcKoumoku();
    StoreKoumoku();
    RedrawGyou();
    CalcFieldPos();
    SetCaretToField();
    showCaret();
}
