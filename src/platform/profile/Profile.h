#pragma once
// The per-user profile: string and integer entries by section and entry, matched without regard
// to case, kept in an INI file and written at once on every change. Values are UTF-8 text.
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
};

} // namespace kiv::profile
