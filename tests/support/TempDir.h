#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kiv::test {

class TempDir {
public:
    // Under `under`, or the system's temporary folder when it is empty.
    explicit TempDir(const std::filesystem::path& under = {}) {
        std::string tmpl = ((under.empty() ? std::filesystem::temp_directory_path() : under) / "kivtest-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::runtime_error("mkdtemp failed");
        m_Path = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(m_Path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_Path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_Path; }
    std::filesystem::path operator/(const std::string& name) const { return m_Path / name; }

private:
    std::filesystem::path m_Path;
};

// Points XDG_CONFIG_HOME at a temporary folder for the life of the object, so a test never
// touches the real profile.
class ScopedProfileHome {
public:
    ScopedProfileHome() {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) {
            m_Had = true;
            m_Old = old;
        }
        ::setenv("XDG_CONFIG_HOME", m_Dir.path().c_str(), 1);
    }
    ~ScopedProfileHome() {
        if (m_Had)
            ::setenv("XDG_CONFIG_HOME", m_Old.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    const std::filesystem::path& path() const { return m_Dir.path(); }

private:
    TempDir m_Dir;
    bool m_Had = false;
    std::string m_Old;
};

} // namespace kiv::test
