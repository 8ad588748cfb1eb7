#pragma once
// The per-user profile: string and integer entries by section and entry, matched without regard
// to case, kept in an INI file and written at once on every change. Values are UTF-8 text.
// A file that exists but cannot be read is left alone for the whole run (see unreadable()).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::profile {

class Profile {
public:
    explicit Profile(std::filesystem::path file);

    // The user's profile: $XDG_CONFIG_HOME/Kiv/kiv.ini (default ~/.config/Kiv/kiv.ini). The file
    // is looked up again whenever XDG_CONFIG_HOME changes, so tests can point it elsewhere.
    static Profile& user();
    static std::filesystem::path userProfilePath();

    std::string getString(std::string_view section, std::string_view entry, std::string_view def = {}) const;
    int getInt(std::string_view section, std::string_view entry, int def) const;
    bool has(std::string_view section, std::string_view entry) const;
    // Both return false when the file could not be written (the value is kept in memory).
    bool writeString(std::string_view section, std::string_view entry, std::string_view value);
    bool writeInt(std::string_view section, std::string_view entry, int value);
    bool removeEntry(std::string_view section, std::string_view entry);

    const std::filesystem::path& file() const { return m_File; }
    // The file is there but could not be read (larger than kMaxBytes, not a file, not readable).
    // The profile then holds nothing from it, and it is never rewritten by this object: writing
    // the few settings changed in this run over it would lose all the others. Writes are kept in
    // memory only and return false. A missing file is no failure: it is the first start.
    bool unreadable() const { return m_Unreadable; }
    // The message that says so once, naming the file.
    std::string unreadableMessage() const;

    // No settings file of this program comes near this size.
    static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

private:
    struct Entry {
        std::string key, value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    void load();
    bool save() const;
    const Entry* find(std::string_view section, std::string_view entry) const;

    std::filesystem::path m_File;
    std::vector<Section> m_Sections;
    bool m_Unreadable = false;
};

} // namespace kiv::profile
