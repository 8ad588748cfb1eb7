#include "platform/profile/Profile.h"

#include <cstdlib>
#include <map>
#include <memory>

#include "platform/files/Files.h"
#include "platform/text/Number.h"

namespace kiv::profile {
namespace {

using text::trimLine;

// A value is one line of the file: line breaks inside it would start a new entry.
std::string oneLine(std::string_view v) {
    std::string r(v);
    for (char& c : r)
        if (c == '\n' || c == '\r')
            c = ' ';
    return r;
}

} // namespace

Profile::Profile(std::filesystem::path file) : m_File(std::move(file)) { load(); }

std::filesystem::path Profile::userProfilePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".config";
    }
    return base / "Kiv" / "kiv.ini";
}

Profile& Profile::user() {
    static std::map<std::filesystem::path, std::unique_ptr<Profile>> profiles;
    auto path = userProfilePath();
    auto& p = profiles[path];
    if (!p)
        p = std::make_unique<Profile>(path);
    return *p;
}

void Profile::load() {
    m_Sections.clear();
    m_Unreadable = false;
    auto data = files::readFile(m_File, kMaxBytes);
    if (!data) {
        // Only a name that plainly is not there is a first start; anything else (too large, a
        // folder, no permission, a folder on the way that may not be searched) is a profile that
        // exists and could not be read.
        std::error_code ec;
        auto st = std::filesystem::status(m_File, ec);
        m_Unreadable = st.type() != std::filesystem::file_type::not_found;
        return;
    }
    Section* cur = nullptr;
    std::string_view rest = *data;
    while (!rest.empty()) {
        std::size_t nl = rest.find('\n');
        std::string_view line = trimLine(rest.substr(0, nl));
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            m_Sections.push_back({std::string(trimLine(line.substr(1, line.size() - 2))), {}});
            cur = &m_Sections.back();
            continue;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || !cur)
            continue;
        cur->entries.push_back({std::string(trimLine(line.substr(0, eq))), std::string(line.substr(eq + 1))});
    }
}

std::string Profile::unreadableMessage() const {
    return "設定ファイル「" + m_File.string() + "」を読み込めませんでした。"
           "今回は標準の設定で動作し、設定の変更はこのファイルに保存しません。";
}

bool Profile::save() const {
    if (m_Unreadable)
        return false;
    std::string out;
    for (const auto& s : m_Sections) {
        out += "[" + s.name + "]\n";
        for (const auto& e : s.entries)
            out += e.key + "=" + e.value + "\n";
        out += "\n";
    }
    std::error_code ec;
    std::filesystem::create_directories(m_File.parent_path(), ec);
    return files::writeFileAtomically(m_File, out);
}

const Profile::Entry* Profile::find(std::string_view section, std::string_view entry) const {
    for (const auto& s : m_Sections)
        if (files::equalsNoCase(s.name, section))
            for (const auto& e : s.entries)
                if (files::equalsNoCase(e.key, entry))
                    return &e;
    return nullptr;
}

std::string Profile::getString(std::string_view section, std::string_view entry, std::string_view def) const {
    const Entry* e = find(section, entry);
    return e ? e->value : std::string(def);
}

int Profile::getInt(std::string_view section, std::string_view entry, int def) const {
    const Entry* e = find(section, entry);
    if (!e || text::trimBlanks(e->value).empty())
        return def;
    return text::parseInt(e->value);
}

bool Profile::has(std::string_view section, std::string_view entry) const { return find(section, entry) != nullptr; }

bool Profile::writeString(std::string_view section, std::string_view entry, std::string_view value) {
    if (auto* e = const_cast<Entry*>(find(section, entry))) {
        e->value = oneLine(value);
        return save();
    }
    Section* target = nullptr;
    for (auto& s : m_Sections)
        if (files::equalsNoCase(s.name, section))
            target = &s;
    if (!target) {
        m_Sections.push_back({std::string(section), {}});
        target = &m_Sections.back();
    }
    target->entries.push_back({std::string(entry), oneLine(value)});
    return save();
}

bool Profile::writeInt(std::string_view section, std::string_view entry, int value) {
    return writeString(section, entry, std::to_string(value));
}

bool Profile::removeEntry(std::string_view section, std::string_view entry) {
    for (auto& s : m_Sections)
        if (files::equalsNoCase(s.name, section))
            for (auto it = s.entries.begin(); it != s.entries.end(); ++it)
                if (files::equalsNoCase(it->key, entry)) {
                    s.entries.erase(it);
                    return save();
                }
    return true;
}

} // namespace kiv::profile
