#pragma once
// KivRecalc: the estimate's recalculation, run on an estimate view and its document. It
// recomputes a row (its estimated quantities and amounts in both price tracks, then every
// computed-row calculator), an item (every row, top to bottom, counting what the missing-row
// warnings need) and the whole estimate (the items from the last to the first, since heading rows
// take the totals of later items).
//
// A row is a computed row when its category (field 35) equals one of the settings' operation-
// category codes; the slot holding the code names its calculator. The calculators read the item's
// other rows from the document's work area and write only the computed row.
//
// Its sources: KivRecalc.cpp (row, item and estimate, counters and warnings), KivRecalcLumpSum.cpp
// (継手, 接合材, 支持材, 付属品, 雑材, 運搬費, スリーブ), KivRecalcTotals.cpp (total, expense and tax
// rows), KivRecalcRoumu.cpp (labour rows), KivRecalcHeading.cpp (heading rows).
//
// The grid view reaches it through the hooks of estimate/RecalcSeams.h, which Connect fills.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "estimate/SetteiRecord.h"
#include "platform/text/Decimal.h"

class CKivDoc;
class CKivView;
struct FixedPoints;
struct FukugouKekka;
struct SettledGyou;

class KivRecalc {
public:
    using Decimal = kiv::text::Decimal;

    // Fills the recalculation hooks (recalcGyou, recalcKoumoku, checkKeisanGyou).
    static void Connect();

    // The view must have a document.
    explicit KivRecalc(CKivView& view);

    // The row at the document's current row, held in the view's row buffer: recomputed, stored,
    // offered to every computed-row calculator. The current field is left at 36.
    void RecalcGyou();
    // Every row of the current item's work rows, the per-item counters refreshed; the editing
    // position is the one on entry and the buffer holds the current row. The caller stores the
    // item afterwards.
    void RecalcKoumoku();
    // Every item, from the last to the first, `times` times each, as one pass: the current row
    // and item are stored first, and the position, item and row are back afterwards.
    void RecalcAllKoumoku(int times = 1);
    // The warnings for the current item after its recalculation, then its counters cleared.
    void CheckKeisanGyou();
    // The one summary warning after a whole-estimate pass, then every flag and counter cleared.
    void ClearKeisanGyouFlags();
    // The style check after loading and after the labour prices were saved: the whole estimate
    // recalculated once; in the labour-posting style an estimate lacking computed rows is offered
    // their insertion (then recalculated twice); the editing position is back afterwards and the
    // missing-row flags are cleared, with their one warning when rows are still missing.
    void CheckKeisanMode();

    // The per-kind warning texts of CheckKeisanGyou, by kind index (empty for スリーブ and 運搬費).
    static const char* KeisanWarning(int kind);

private:
    friend struct SettledGyou;
    // The calculators that sum a share of each row above them, by what the share is read from.
    enum ShareKind { kShareTugite, kShareSetugou, kShareSiji, kShareFuzoku, kShareZatuzai, kShareUnpan,
                     kShareRoumu1, kShareRoumu2, kShareRoumu3, kShareRoumu4, kShareKinds };

    struct ItemPass;
    struct EstimatePass;
    struct Dispatch;

    // An item whose last recalculation changed no byte and gave no message is at a fixed point:
    // until the estimate's rows change (CKivDoc::m_EditCount), or its settings or labour list,
    // recalculating it again cannot change anything. SkipAtFixedPoint then leaves behind what
    // that recalculation left beside the rows (the counters, the cover total, the row buffer) and
    // returns true; RememberFixedPoint keeps it after a recalculation.
    bool SkipAtFixedPoint(int reportGyou);
    // `stored`: rows were stored on the way; `missing`: computed rows were found missing.
    void RememberFixedPoint(int reportGyou, bool stored, bool missing);
    void ForgetFixedPoint();
    // Whether the work rows `changed` (by number) hold what the item's pool rows hold.
    bool KeptEveryByte(const std::vector<int>& changed) const;
    // The record of the estimate's fixed points and settled rows, begun afresh when the settings,
    // the labour list or the whole pool changed.
    FixedPoints& Memo();
    // The current item's settled rows (row r at element r, for every row), after the rows stored
    // with other bytes since were taken off.
    std::vector<SettledGyou>& SettledRows();
    // The record of the row `where` (item, row) when it is settled and its bytes after its
    // numbers are `body`, else null.
    const SettledGyou* SettledAlike(const FixedPoints& fixed, std::pair<int, int> where, std::string_view body) const;

    // --- Calculators, in the order RecalcGyou runs them
    void CalcTugite();
    void CalcSetugouzai();
    void CalcSijizai();
    void CalcFuzokuhin();
    void CalcUnpanhi();
    void CalcSleeve();
    void CalcRoumuhi1();
    void CalcRoumuhi2();
    void CalcRoumuhi3();
    void CalcRoumuhi4();
    void CalcZatuzai();
    void RoundUpZatuzai();
    void CalcKeihi();
    void RoundKeihi();
    void CalcKeihiTenyuuryoku();
    void CalcSyouhizei();
    void CalcKoumokunaiKei();
    void CalcSaikei();
    void CalcSyoukei();
    void CalcTyuukei();
    void CalcHyousiKei();
    void CalcSaimoku();
    void CalcSyoukoumoku();
    void CalcTyuukoumoku();
    void CalcDaikoumoku();

    // Shared steps of the calculator families.
    void CalcWariai(bool modeText);
    // The end of a lump-sum calculator: one unit, the sums times 掛率 when `kakeritu` (a blank
    // 掛率 leaves them as they are) written as the row's amounts, the row cleared of its lump sums
    // in the labour-posting style, and stored. Returns the amounts written.
    std::array<Decimal, 2> PutLumpSum(std::array<Decimal, 2> sum, bool kakeritu, bool modeText);
    void CalcTotal();
    void CalcRoumuhi(int roumuNo, const char* trade, const char* mismatch, bool restartAtKoumokunai);
    void CalcHeading(EnzanCode kind);
    // Runs the 28 calculators on the row; true when one of them acted on it.
    bool RunCalculators(int bunNo);

    // --- Helpers
    // Work row k (1-based) of the current item, as stored.
    std::string_view WorkGyou(int k) const;
    // Its category and its two amounts: from the item pass while one runs, else read from it.
    int BunNoOf(int k) const;
    std::array<Decimal, 2> AmountsOf(int k) const;
    // The item pass for this view and item, when one runs.
    ItemPass* Pass() const;
    // The item pass's values of row k read again after the row was stored; its needs only with
    // `needs`: the pass writes quantities, amounts, prices and the pricing's flag and material
    // line 1, never the rates, labour lines or category its needs are read from.
    void RefreshPassRow(int k, bool needs = false) const;
    // Row k's record while it is settled and the pass has not stored it since, else null.
    SettledGyou* SettledAt(int k) const;
    // The share row k adds to a calculator's sums of `kind`: `compute`'s, taken from the row's
    // record when it is settled and was computed before.
    template <class Compute>
    std::array<Decimal, 2> ShareOf(int k, ShareKind kind, Compute compute);
    int CurrentGyou() const;
    // The last row above row r whose category satisfies `pred`, or 0 when there is none. The
    // calculators whose sums restart at such rows begin their scans there.
    template <class Pred>
    int LastGyouBefore(int r, Pred pred) const;
    // Where the scan of a calculator of category `code` on row r starts: the last total row
    // above it that is not of its own category, or the first row.
    int RunStart(int r, int code) const;
    bool IsCode(EnzanCode kind, int bunNo) const { return m_S.matches(kind, bunNo); }
    bool IsTotalCode(int bunNo) const;
    bool IsHeadingCode(int bunNo) const;
    // A message of a row: collected while a pass runs, shown at once otherwise.
    void RowMessage(const std::string& utf8) const;
    // An amount written into field 17 or 18 of the row buffer: 0 blanks it, a value that does
    // not fit blanks it after `overflow`, anything else as amount text or mode amount text.
    void PutAmount(int field, const Decimal& v, bool modeText, const char* overflow);
    // Fields 7 and 9 of a lump-sum row hold one unit: a right-aligned "1".
    void PutOneUnit();
    // Blanks fields 7, 9, 17, 18 (the lump sums live in every row's composite price).
    void ClearLumpSumRow();
    // The composite price computation of row k, from the item pass's results when they are
    // still those of the row, else run on the row (which stores it).
    const FukugouKekka& KekkaOf(int k);
    // The end of a calculator that acted: restore slot 3 and load the computed row again.
    void BackToComputedRow();
    // The end of a calculator that wrote the computed row: store it, field 36.
    void FinishComputedRow();

    CKivView& m_View;
    CKivDoc& m_Doc;
    const SetteiValues& m_S;
    int m_Overflows = 0;   // amounts found too wide for their fields, named or not

    static ItemPass* s_ItemPass;
    static EstimatePass* s_EstimatePass;
};
