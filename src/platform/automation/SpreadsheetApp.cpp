// The objects of the spreadsheet stand-in. Each answers its members by id, kind and argument
// types exactly; anything else fails, so an export that sends a wrong call learns it at once.
#include "platform/automation/SpreadsheetApp.h"

#include <algorithm>

#include "platform/automation/ExcelMembers.h"
#include "platform/automation/WorkbookModel.h"
#include "platform/text/Cp932.h"

namespace kiv::automation {

namespace {

using K = InvokeKind;
namespace id = dispid;

bool unknown(std::string& error, const char* object, int member) {
    error = std::string("no such call on ") + object + " (member " + std::to_string(member) + ")";
    return false;
}

// Excel's rules for a sheet name: 1 to 31 characters, none of : \ / ? * [ ] (looked for
// character by character: the second byte of a double-byte character may be a backslash).
bool validSheetName(const std::string& n) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < n.size(); ++chars) {
        const auto c = static_cast<unsigned char>(n[i]);
        if (text::isLeadByte(c) && i + 1 < n.size()) {
            i += 2;
            continue;
        }
        if (std::string_view(":\\/?*[]").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
        ++i;
    }
    return chars >= 1 && chars <= 31;
}

struct SheetRef {
    std::shared_ptr<WorkbookModel> book;
    std::shared_ptr<SheetModel> sheet;
};

class Font final : public Dispatch {
public:
    Font(std::shared_ptr<SheetModel> s, CellRect r) : m_Sheet(std::move(s)), m_Rect(r) {}
    const char* interfaceName() const override { return "Font"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant&, std::string& error) override {
        if (member == id::Size && kind == K::Put && argsAre(a, {VT_I2}) && a[0].integer > 0 && a[0].integer <= 409) {
            for (int r = m_Rect.row1; r <= m_Rect.row2; ++r)
                for (int c = m_Rect.col1; c <= m_Rect.col2; ++c)
                    m_Sheet->cell(r, c).fontSize = static_cast<int>(a[0].integer);
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<SheetModel> m_Sheet;
    CellRect m_Rect;
};

// One edge of every cell of a range (only the top edge is asked for).
class Border final : public Dispatch {
public:
    Border(std::shared_ptr<SheetModel> s, CellRect r) : m_Sheet(std::move(s)), m_Rect(r) {}
    const char* interfaceName() const override { return "Border"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant&, std::string& error) override {
        if (member == id::Weight && kind == K::Put && argsAre(a, {VT_I2}) &&
            (a[0].integer == xl::Hairline || a[0].integer == xl::Thin)) {
            const EdgeStyle s = a[0].integer == xl::Hairline ? EdgeStyle::Hair : EdgeStyle::Thin;
            for (int r = m_Rect.row1; r <= m_Rect.row2; ++r)
                for (int c = m_Rect.col1; c <= m_Rect.col2; ++c)
                    m_Sheet->setEdge(r, c, SheetModel::Top, s);
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<SheetModel> m_Sheet;
    CellRect m_Rect;
};

class Borders final : public Dispatch {
public:
    Borders(std::shared_ptr<SheetModel> s, CellRect r) : m_Sheet(std::move(s)), m_Rect(r) {}
    const char* interfaceName() const override { return "Borders"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        if (member == id::Item && kind == K::Get && argsAre(a, {VT_I4}) && a[0].integer == xl::EdgeTop) {
            result = Variant::dispatch(std::make_shared<Border>(m_Sheet, m_Rect));
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<SheetModel> m_Sheet;
    CellRect m_Rect;
};

class Range final : public Dispatch {
public:
    Range(std::shared_ptr<SheetModel> s, CellRect r) : m_Sheet(std::move(s)), m_Rect(r) {}
    const char* interfaceName() const override { return "Range"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        SheetModel& sh = *m_Sheet;
        if (kind == K::Put && a.size() == 1) {
            const Variant& v = a[0];
            switch (member) {
            case id::Value2:
                if (v.vt == (VT_ARRAY | VT_BSTR) && !v.elements.empty()) {
                    // Every cell of the range receives the array's first element, as a text.
                    const SheetText text = sh.keep(v.elements.front());
                    each([&](CellModel& c) {
                        c.kind = CellModel::Kind::Text;
                        c.text = text;
                    });
                    return true;
                }
                if (v.vt == VT_R8) {
                    each([&](CellModel& c) {
                        c.kind = CellModel::Kind::Number;
                        c.number = v.real;
                    });
                    return true;
                }
                break;
            case id::NumberFormat:
                if (v.vt == VT_BSTR && !v.text.empty()) {
                    const SheetText format = sh.keep(v.text);
                    each([&](CellModel& c) { c.numberFormat = format; });
                    return true;
                }
                break;
            case id::HorizontalAlignment:
                if (v.vt == VT_I2 && v.integer == xl::Center) {
                    each([&](CellModel& c) { c.centred = true; });
                    return true;
                }
                break;
            case id::ColumnWidth:
                if (v.vt == VT_UI4 && v.integer <= 255) {
                    for (int c = m_Rect.col1; c <= m_Rect.col2; ++c)
                        sh.columnWidths[c] = static_cast<double>(v.integer);
                    return true;
                }
                break;
            case id::RowHeight:
                if (v.vt == VT_UI4 && v.integer <= 409) {
                    for (int r = m_Rect.row1; r <= m_Rect.row2; ++r)
                        sh.rowHeights[r] = static_cast<double>(v.integer);
                    return true;
                }
                break;
            default: break;
            }
            return unknown(error, interfaceName(), member);
        }
        if (member == id::BorderAround && kind == K::Method && argsAre(a, {VT_UI4, VT_I4, VT_I4, VT_UI4, VT_UI4}) &&
            a[0].integer == xl::Continuous && (a[1].integer == xl::Thin || a[1].integer == xl::Hairline)) {
            sh.around(m_Rect, a[1].integer == xl::Thin ? EdgeStyle::Thin : EdgeStyle::Hair);
            result = Variant::boolean(true);
            return true;
        }
        if (member == id::Font && kind == K::Get && a.empty()) {
            result = Variant::dispatch(std::make_shared<Font>(m_Sheet, m_Rect));
            return true;
        }
        if (member == id::Borders && kind == K::Get && a.empty()) {
            result = Variant::dispatch(std::make_shared<Borders>(m_Sheet, m_Rect));
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    template <class F>
    void each(F f) {
        for (int r = m_Rect.row1; r <= m_Rect.row2; ++r)
            for (int c = m_Rect.col1; c <= m_Rect.col2; ++c)
                f(m_Sheet->cell(r, c));
    }
    std::shared_ptr<SheetModel> m_Sheet;
    CellRect m_Rect;
};

class PageSetup final : public Dispatch {
public:
    explicit PageSetup(std::shared_ptr<SheetModel> s) : m_Sheet(std::move(s)) {}
    const char* interfaceName() const override { return "PageSetup"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant&, std::string& error) override {
        PageSetupModel& p = m_Sheet->page;
        if (kind != K::Put || a.size() != 1)
            return unknown(error, interfaceName(), member);
        const Variant& v = a[0];
        auto points = [&](std::optional<double>& m) {
            if (v.vt != VT_R8 || v.real < 0 || v.real > 49 * 72)
                return false;
            m = v.real;
            return true;
        };
        bool ok = false;
        switch (member) {
        case id::Orientation:
            ok = v.vt == VT_I4 && (v.integer == xl::Portrait || v.integer == xl::Landscape);
            if (ok)
                p.orientation = static_cast<int>(v.integer);
            break;
        case id::PaperSize:
            ok = v.vt == VT_I4 && v.integer == xl::PaperA4;
            if (ok)
                p.paperSize = static_cast<int>(v.integer);
            break;
        case id::Zoom:
            ok = v.vt == VT_BOOL && v.integer == 0;
            p.zoomOff = p.zoomOff || ok;
            break;
        case id::FitToPagesWide:
            ok = v.vt == VT_I2 && v.integer >= 0 && v.integer <= 32767;
            if (ok)
                p.fitToPagesWide = static_cast<int>(v.integer);
            break;
        case id::FitToPagesTall:
            ok = v.vt == VT_BOOL && v.integer == 0;
            p.fitToPagesTallOff = p.fitToPagesTallOff || ok;
            break;
        case id::PrintTitleRows: ok = v.vt == VT_BSTR; if (ok) p.printTitleRows = v.text; break;
        case id::CenterHeader: ok = v.vt == VT_BSTR; if (ok) p.centerHeader = v.text; break;
        case id::CenterFooter: ok = v.vt == VT_BSTR; if (ok) p.centerFooter = v.text; break;
        case id::TopMargin: ok = points(p.topMargin); break;
        case id::BottomMargin: ok = points(p.bottomMargin); break;
        case id::LeftMargin: ok = points(p.leftMargin); break;
        case id::RightMargin: ok = points(p.rightMargin); break;
        default: break;
        }
        return ok || unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<SheetModel> m_Sheet;
};

class Worksheet final : public Dispatch {
public:
    explicit Worksheet(SheetRef ref) : m_Ref(std::move(ref)) {}
    const char* interfaceName() const override { return "Worksheet"; }
    const std::shared_ptr<SheetModel>& sheet() const { return m_Ref.sheet; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        if (member == id::Name && kind == K::Put && argsAre(a, {VT_BSTR})) {
            // Excel's rules for a sheet name: 1 to 31 characters, none of : \ / ? * [ ], unique.
            const std::string& n = a[0].text;
            if (!validSheetName(n)) {
                error = "sheet name not accepted";
                return false;
            }
            for (const auto& s : m_Ref.book->sheets)
                if (s != m_Ref.sheet && s->name == n) {
                    error = "a sheet of that name exists";
                    return false;
                }
            m_Ref.sheet->name = n;
            return true;
        }
        if (member == id::PageSetup && kind == K::Get && a.empty()) {
            result = Variant::dispatch(std::make_shared<PageSetup>(m_Ref.sheet));
            return true;
        }
        if (member == id::Range && kind == K::Get && argsAre(a, {VT_BSTR, VT_BSTR})) {
            auto p1 = parseCellName(a[0].text);
            auto p2 = parseCellName(a[1].text);
            if (!p1 || !p2) {
                error = "not a cell name";
                return false;
            }
            CellRect r{std::min(p1->first, p2->first), std::min(p1->second, p2->second),
                       std::max(p1->first, p2->first), std::max(p1->second, p2->second)};
            result = Variant::dispatch(std::make_shared<Range>(m_Ref.sheet, r));
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    SheetRef m_Ref;
};

class Worksheets final : public Dispatch {
public:
    explicit Worksheets(std::shared_ptr<WorkbookModel> b) : m_Book(std::move(b)) {}
    const char* interfaceName() const override { return "Worksheets"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        auto& sheets = m_Book->sheets;
        if (member == id::Count && kind == K::Get && a.empty()) {
            result = Variant::i4(static_cast<std::int32_t>(sheets.size()));
            return true;
        }
        if (member == id::Item && kind == K::Get && argsAre(a, {VT_I4})) {
            if (a[0].integer < 1 || a[0].integer > static_cast<std::int64_t>(sheets.size())) {
                error = "no sheet of that index";
                return false;
            }
            result = Variant::dispatch(std::make_shared<Worksheet>(SheetRef{m_Book, sheets[static_cast<std::size_t>(a[0].integer - 1)]}));
            return true;
        }
        if (member == id::WorksheetsAdd && kind == K::Method && argsAre(a, {VT_ERROR, VT_DISPATCH, VT_I4, VT_ERROR}) &&
            a[2].integer == 1) {
            auto* after = dynamic_cast<Worksheet*>(a[1].object.get());
            if (!after) {
                error = "After is not a sheet";
                return false;
            }
            auto it = std::find(sheets.begin(), sheets.end(), after->sheet());
            if (it == sheets.end()) {
                error = "After is not a sheet of this workbook";
                return false;
            }
            auto s = m_Book->addSheet(static_cast<std::size_t>(it - sheets.begin()) + 1);
            result = Variant::dispatch(std::make_shared<Worksheet>(SheetRef{m_Book, s}));
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<WorkbookModel> m_Book;
};

class Workbook final : public Dispatch {
public:
    explicit Workbook(std::shared_ptr<WorkbookModel> b) : m_Book(std::move(b)) {}
    const char* interfaceName() const override { return "Workbook"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        if (member == id::Worksheets && kind == K::Get && a.empty()) {
            result = Variant::dispatch(std::make_shared<Worksheets>(m_Book));
            return true;
        }
        if (member == id::SaveAs && kind == K::Method &&
            argsAre(a, {VT_BSTR, VT_ERROR, VT_ERROR, VT_ERROR, VT_ERROR, VT_ERROR, VT_I4, VT_ERROR, VT_ERROR, VT_ERROR, VT_ERROR}) &&
            a[6].integer == 0)
            return saveXlsx(*m_Book, a[0].text, &error);
        return unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<WorkbookModel> m_Book;
};

class Workbooks final : public Dispatch {
public:
    const char* interfaceName() const override { return "Workbooks"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        if (member == id::WorkbooksAdd && kind == K::Method && argsAre(a, {VT_ERROR})) {
            auto book = std::make_shared<WorkbookModel>();
            book->addSheet(0);
            m_Open.push_back(book);
            result = Variant::dispatch(std::make_shared<Workbook>(book));
            return true;
        }
        if (member == id::WorkbooksClose && kind == K::Method && a.empty()) {
            m_Open.clear();
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    std::vector<std::shared_ptr<WorkbookModel>> m_Open;
};

class Application final : public Dispatch {
public:
    const char* interfaceName() const override { return "Application"; }

protected:
    bool doInvoke(int member, InvokeKind kind, const std::vector<Variant>& a, Variant& result, std::string& error) override {
        if (member == id::Workbooks && kind == K::Get && a.empty()) {
            if (!m_Workbooks)
                m_Workbooks = std::make_shared<Workbooks>();
            result = Variant::dispatch(m_Workbooks);
            return true;
        }
        if (member == id::UserControl && kind == K::Put && argsAre(a, {VT_BOOL}))
            return true;
        if (member == id::Quit && kind == K::Method && a.empty()) {
            m_Workbooks.reset();
            return true;
        }
        return unknown(error, interfaceName(), member);
    }

private:
    std::shared_ptr<Workbooks> m_Workbooks;
};

} // namespace

std::shared_ptr<Dispatch> createSpreadsheetApplication() { return std::make_shared<Application>(); }

} // namespace kiv::automation
