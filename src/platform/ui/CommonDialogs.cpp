#include "platform/ui/CommonDialogs.h"

#include "platform/files/Files.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"

#include <cctype>

namespace kiv::ui {

std::vector<FileFilter> parseFileFilter(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos)
            bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilter> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;   // "||" ends the list
        FileFilter f{parts[i], {}};
        std::string_view pats = parts[i + 1];
        std::size_t s = 0;
        while (s <= pats.size()) {
            std::size_t semi = pats.find(';', s);
            if (semi == std::string_view::npos)
                semi = pats.size();
            std::string_view p = pats.substr(s, semi - s);
            while (!p.empty() && p.front() == ' ')
                p.remove_prefix(1);
            if (!p.empty())
                f.patterns.emplace_back(p);
            s = semi + 1;
        }
        out.push_back(std::move(f));
    }
    return out;
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    // Iterative glob match with backtracking to the last '*'.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string caseInsensitivePattern(std::string_view pattern) {
    std::string out;
    for (char c : pattern) {
        unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80) {
            out += '[';
            out += static_cast<char>(std::tolower(u));
            out += static_cast<char>(std::toupper(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::filesystem::path> fileDialog(const FileDialogRequest& req) {
    App::BusyScope busy;
    for (;;) {
        auto chosen = backend().fileDialog(req);
        if (!chosen || chosen->empty())
            return std::nullopt;
        std::filesystem::path p = *chosen;
        if (!req.defaultExt.empty() && p.extension().empty())
            p += "." + req.defaultExt;
        if (req.open) {
            if ((req.flags & OFN_FILEMUSTEXIST) && !files::isRegularFile(p)) {
                messageBox(p.string() + "\nファイルが見つかりません。ファイル名を確認してください。", MB_OK | MB_ICONEXCLAMATION,
                           {}, req.owner);
                continue;
            }
            return p;
        }
        if ((req.flags & OFN_OVERWRITEPROMPT) && std::filesystem::exists(p) &&
            messageBox(p.string() + " は既に存在します。\n上書きしますか?", MB_YESNO | MB_ICONEXCLAMATION, {}, req.owner) != IDYES)
            continue;
        return p;
    }
}

std::optional<Font> fontDialog(const Font& initial, Window* owner) {
    App::BusyScope busy;
    return backend().fontDialog(initial, owner);
}

namespace {

const DialogTemplate& findTemplate() {
    static const DialogTemplate t{
        1540, "検索", {290, 62},
        {ctl::label("検索する文字列(&N):", dlu(4, 8, 72, 8)),
         ctl::edit(FindDialog::kFindWhat, dlu(78, 7, 150, 12)),
         ctl::check(FindDialog::kMatchCase, "大文字と小文字を区別する(&C)", dlu(4, 42, 126, 12)),
         ctl::group("方向", dlu(132, 24, 100, 30)),
         ctl::radio(FindDialog::kUp, "上へ(&U)", dlu(136, 36, 46, 12), true),
         ctl::radio(FindDialog::kDown, "下へ(&D)", dlu(184, 36, 46, 12)),
         ctl::defButton(IDOK, "次を検索(&F)", dlu(238, 6, 48, 14)),
         ctl::button(IDCANCEL, "キャンセル", dlu(238, 24, 48, 14))}};
    return t;
}

void reportFind(const FindReplaceEvent& e) {
    if (App* a = App::instance(); a && a->mainFrame())
        a->mainFrame()->onFindReplace(e);
}

} // namespace

FindDialog::FindDialog() : Dialog(findTemplate()) { onClicked(IDOK, [this] { findNext(); }); }

void FindDialog::doDataExchange(DataExchange& dx) {
    dx.text(kFindWhat, m_FindWhat);
    dx.check(kMatchCase, m_MatchCase);
    dx.radio(kUp, m_Direction);
}

void FindDialog::findNext() {
    if (!updateData(true))
        return;
    reportFind({FindReplaceEvent::FindNext, m_FindWhat, m_MatchCase != 0, m_Direction != 0});
}

void FindDialog::onCancel() {
    updateData(true);
    Dialog::onCancel();
    reportFind({FindReplaceEvent::DialogTerm, m_FindWhat, m_MatchCase != 0, m_Direction != 0});
    destroyWindow();
}

} // namespace kiv::ui
