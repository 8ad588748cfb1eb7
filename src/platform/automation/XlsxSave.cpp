// Saving the stand-in's workbook model as .xlsx through libxlsxwriter.
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>
#include <unistd.h>

#include "platform/automation/WorkbookModel.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"

namespace kiv::automation {

namespace fs = std::filesystem;

namespace {

std::size_t& rowByRowCells() {
    static std::size_t cells = kRowByRowCells;
    return cells;
}

std::function<void(const WorkbookModel&, const std::string&)>& saveObserver() {
    static std::function<void(const WorkbookModel&, const std::string&)> o;
    return o;
}

uint8_t borderOf(EdgeStyle s) {
    switch (s) {
    case EdgeStyle::Thin: return LXW_BORDER_THIN;
    case EdgeStyle::Hair: return LXW_BORDER_HAIR;
    case EdgeStyle::None: break;
    }
    return LXW_BORDER_NONE;
}

// One format per distinct look; libxlsxwriter keeps them until the workbook is closed.
class Formats {
public:
    explicit Formats(lxw_workbook* wb) : m_Wb(wb) {}
    lxw_format* get(const CellModel& c, EdgeStyle t, EdgeStyle b, EdgeStyle l, EdgeStyle r) {
        if (c.numberFormat.empty() && !c.centred && c.fontSize == 0 && t == EdgeStyle::None &&
            b == EdgeStyle::None && l == EdgeStyle::None && r == EdgeStyle::None)
            return nullptr;
        std::string key = c.numberFormat.str();
        key += '\x01';
        key += std::to_string(c.fontSize);
        key += c.centred ? 'c' : '-';
        for (EdgeStyle e : {t, b, l, r})
            key += static_cast<char>('0' + static_cast<int>(e));
        auto it = m_Cache.find(key);
        if (it != m_Cache.end())
            return it->second;
        lxw_format* f = workbook_add_format(m_Wb);
        if (!c.numberFormat.empty())
            format_set_num_format(f, text::toUtf8(c.numberFormat).c_str());
        if (c.centred)
            format_set_align(f, LXW_ALIGN_CENTER);
        if (c.fontSize > 0)
            format_set_font_size(f, c.fontSize);
        format_set_top(f, borderOf(t));
        format_set_bottom(f, borderOf(b));
        format_set_left(f, borderOf(l));
        format_set_right(f, borderOf(r));
        m_Cache.emplace(std::move(key), f);
        return f;
    }

private:
    lxw_workbook* m_Wb;
    std::map<std::string, lxw_format*> m_Cache;
};

// "$1:$2" as the first and last row (1-based).
bool parseTitleRows(const std::string& s, int& first, int& last) {
    auto num = [&](std::size_t& i, int& v) {
        if (i < s.size() && s[i] == '$')
            ++i;
        std::size_t start = i;
        v = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 7)
            v = v * 10 + (s[i++] - '0');
        return i > start && v >= 1 && v <= 1048576;
    };
    std::size_t i = 0;
    if (!num(i, first) || i >= s.size() || s[i] != ':')
        return false;
    ++i;
    return num(i, last) && i == s.size() && last >= first;
}

bool writeSheet(lxw_workbook* wb, Formats& formats, const SheetModel& sh, std::string& error) {
    const std::string name = text::toUtf8(sh.name);
    lxw_worksheet* ws = workbook_add_worksheet(wb, name.c_str());
    if (!ws) {
        error = "sheet name not accepted: " + name;
        return false;
    }
    for (const auto& [col, width] : sh.columnWidths)
        worksheet_set_column(ws, static_cast<lxw_col_t>(col - 1), static_cast<lxw_col_t>(col - 1), width, nullptr);
    // Row by row, each row's height before its cells: the order a sheet written a row at a time
    // needs (a sheet held in memory sorts them itself, so its file is the same either way).
    auto height = sh.rowHeights.begin();
    auto heightsUpTo = [&](long row) {
        for (; height != sh.rowHeights.end() && height->first <= row; ++height)
            worksheet_set_row(ws, static_cast<lxw_row_t>(height->first - 1), height->second, nullptr);
    };
    lxw_error e = LXW_NO_ERROR;
    sh.cells().forEach([&](int row, int col, const CellModel& c) {
        if (e != LXW_NO_ERROR)
            return;
        heightsUpTo(row);
        lxw_format* f = formats.get(c, sh.top(row, col), sh.bottom(row, col), sh.left(row, col), sh.right(row, col));
        const auto r = static_cast<lxw_row_t>(row - 1);
        const auto k = static_cast<lxw_col_t>(col - 1);
        if (c.kind == CellModel::Kind::Number)
            e = worksheet_write_number(ws, r, k, c.number, f);
        else if (c.kind == CellModel::Kind::Text && !c.text.empty())
            e = worksheet_write_string(ws, r, k, text::toUtf8(c.text).c_str(), f);
        else if (f)
            e = worksheet_write_blank(ws, r, k, f);
    });
    if (e != LXW_NO_ERROR) {
        error = lxw_strerror(e);
        return false;
    }
    heightsUpTo(std::numeric_limits<long>::max());
    const PageSetupModel& p = sh.page;
    if (p.orientation == 2)
        worksheet_set_landscape(ws);
    else if (p.orientation == 1)
        worksheet_set_portrait(ws);
    if (p.paperSize > 0)
        worksheet_set_paper(ws, static_cast<uint8_t>(p.paperSize));
    if (p.fitToPagesWide >= 0 || p.fitToPagesTallOff)
        worksheet_fit_to_pages(ws, static_cast<uint16_t>(p.fitToPagesWide < 0 ? 1 : p.fitToPagesWide),
                               static_cast<uint16_t>(p.fitToPagesTallOff ? 0 : 1));
    if (!p.printTitleRows.empty()) {
        int first = 0, last = 0;
        if (!parseTitleRows(p.printTitleRows, first, last)) {
            error = "print title rows not understood: " + p.printTitleRows;
            return false;
        }
        worksheet_repeat_rows(ws, static_cast<lxw_row_t>(first - 1), static_cast<lxw_row_t>(last - 1));
    }
    // The centre section of the header and footer carries the text as it was sent.
    if (!p.centerHeader.empty() && worksheet_set_header(ws, ("&C" + text::toUtf8(p.centerHeader)).c_str()) != LXW_NO_ERROR) {
        error = "header too long";
        return false;
    }
    if (!p.centerFooter.empty() && worksheet_set_footer(ws, ("&C" + text::toUtf8(p.centerFooter)).c_str()) != LXW_NO_ERROR) {
        error = "footer too long";
        return false;
    }
    if (p.topMargin || p.bottomMargin || p.leftMargin || p.rightMargin) {
        auto inches = [](const std::optional<double>& pt) { return pt ? *pt / 72.0 : -1.0; };
        worksheet_set_margins(ws, inches(p.leftMargin), inches(p.rightMargin), inches(p.topMargin), inches(p.bottomMargin));
    }
    return true;
}

} // namespace

void setRowByRowCells(std::size_t cells) { rowByRowCells() = cells; }

void setSaveObserver(std::function<void(const WorkbookModel&, const std::string&)> observer) {
    saveObserver() = std::move(observer);
}

bool saveXlsx(const WorkbookModel& model, const std::string& targetCp932, std::string* error) {
    std::string why;
    auto fail = [&](std::string w) {
        if (error)
            *error = std::move(w);
        return false;
    };
    if (targetCp932.empty())
        return fail("no file name");
    const fs::path target = files::fromCp932(targetCp932);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return fail(files::writeFailure(target, EISDIR));
    // The library writes the workbook whole into a private temporary file; the bytes then reach
    // the target as every other save does (through a link, owner and mode kept, old file intact
    // on failure, the reason in the user's words).
    const auto made = files::makePrivateTemporary("workbook", ".xlsx");
    if (!made)
        return fail(files::writeFailure(target, errno));
    const fs::path& tmp = *made;
    lxw_workbook_options opt{};
    opt.tmpdir = nullptr;
    std::size_t cells = 0;
    for (const auto& sh : model.sheets)
        cells += sh->cells().size();
    opt.constant_memory = cells > rowByRowCells() ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* wb = workbook_new_opt(tmp.c_str(), &opt);
    if (!wb) {
        fs::remove(tmp, ec);
        return fail(files::writeFailure(target, ENOMEM));
    }
    Formats formats(wb);
    bool ok = true;
    for (const auto& sh : model.sheets) {
        if (!writeSheet(wb, formats, *sh, why)) {
            ok = false;
            break;
        }
    }
    const lxw_error closed = workbook_close(wb);   // frees the workbook in every case
    if (ok && closed != LXW_NO_ERROR) {
        ok = false;
        why = target.string() + "\n" + lxw_strerror(closed);
    }
    std::optional<std::string> bytes;
    if (ok && !(bytes = files::readFile(tmp))) {
        ok = false;
        why = files::writeFailure(target, EIO);
    }
    fs::remove(tmp, ec);
    if (ok && !files::writeFileAtomically(target, *bytes, &why))
        ok = false;
    if (!ok)
        return fail(why);
    if (saveObserver())
        saveObserver()(model, targetCp932);
    return true;
}

} // namespace kiv::automation
