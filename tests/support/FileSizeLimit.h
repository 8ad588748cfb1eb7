#pragma once
// Files may not grow beyond a few bytes while the object lives: a write past the limit fails with
// EFBIG for every user, root included, where a folder without write permission stops only others.
#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace kiv::test {

class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) {
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &m_Saved), 0);
        // The signal would end the process; ignored, the write returns the error instead.
        m_OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_Saved;
        small.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~ScopedFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_Saved);
        std::signal(SIGXFSZ, m_OldHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit m_Saved{};
    void (*m_OldHandler)(int) = nullptr;
};

} // namespace kiv::test
