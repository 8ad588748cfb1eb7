#include "platform/print/PrintJob.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/files/Files.h"

namespace kiv::print {

namespace fs = std::filesystem;

FileTarget::~FileTarget() { discard(); }

bool FileTarget::open() {
    discard();
    m_Failure.clear();
    if (auto tmp = files::makePrivateTemporary("print", ".tmp")) {
        m_Temp = *tmp;
        return true;
    }
    m_Failure = files::writeFailure(m_Target, errno);
    return false;
}

bool FileTarget::commit(bool writerOk, bool (*whole)(std::string_view)) {
    if (m_Temp.empty()) {
        m_Failure = files::writeFailure(m_Target, ENOENT);
        return false;
    }
    std::optional<std::string> bytes;
    if (writerOk)
        bytes = files::readFile(m_Temp);
    if (!bytes || bytes->empty() || (whole && !whole(*bytes))) {
        // The writer reports no reason of its own: a file cut short is most often a full disk.
        struct statvfs vfs {};
        const bool full = ::statvfs(m_Temp.parent_path().c_str(), &vfs) == 0 && vfs.f_bavail == 0;
        m_Failure = files::writeFailure(m_Target, full ? ENOSPC : EIO);
        discard();
        return false;
    }
    discard();
    return files::writeFileAtomically(m_Target, *bytes, &m_Failure);
}

void FileTarget::discard() {
    if (!m_Temp.empty()) {
        ::unlink(m_Temp.c_str());
        m_Temp.clear();
    }
}

bool pdfLooksWhole(std::string_view bytes) {
    const std::size_t tail = std::min<std::size_t>(bytes.size(), 64);
    return bytes.substr(bytes.size() - tail).find("%%EOF") != std::string_view::npos;
}

} // namespace kiv::print
