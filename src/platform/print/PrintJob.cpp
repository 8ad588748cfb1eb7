#include "platform/print/PrintJob.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::print {

FileTarget::~FileTarget() { discard(); }

bool FileTarget::open() {
    discard();
    std::filesystem::path dir = m_Target.parent_path();
    if (dir.empty())
        dir = ".";
    static std::mt19937_64 rng{std::random_device{}()};
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::filesystem::path tmp =
            dir / ("." + m_Target.filename().string() + ".tmp" + std::to_string(rng() % 1000000));
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            m_Temp = tmp;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool FileTarget::commit() {
    if (m_Temp.empty())
        return false;
    // A replaced file keeps its permissions.
    struct stat st {};
    if (::stat(m_Target.c_str(), &st) == 0)
        ::chmod(m_Temp.c_str(), st.st_mode & 07777);
    if (::rename(m_Temp.c_str(), m_Target.c_str()) != 0) {
        discard();
        return false;
    }
    m_Temp.clear();
    return true;
}

void FileTarget::discard() {
    if (!m_Temp.empty()) {
        ::unlink(m_Temp.c_str());
        m_Temp.clear();
    }
}

} // namespace kiv::print
