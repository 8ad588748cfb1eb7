#pragma once
// What a benchmark's set-up changes of the process-wide state (the window backend, the run mode,
// the program folder, the backup writer, the recalculation hooks, the profile's home), put back
// as it was when the set-up ends: the benchmarks run one after another in one process, each as
// it would run alone.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "estimate/KivDoc.h"
#include "estimate/RecalcSeams.h"
#include "platform/ui/Backend.h"

namespace benchsupport {

class ProgramState {
public:
    ProgramState()
        : m_Backend(kiv::ui::hasBackend() ? &kiv::ui::backend() : nullptr), m_RunMode(CKivDoc::RunMode()),
          m_ProgramDir(CKivDoc::ProgramDirectory()), m_BackupWriter(CKivDoc::s_BackupWriter), m_Seams(recalcSeams()) {
        if (const char* home = std::getenv("XDG_CONFIG_HOME"))
            m_ProfileHome = home;
    }
    ~ProgramState() {
        if (m_ProfileHome)
            ::setenv("XDG_CONFIG_HOME", m_ProfileHome->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        recalcSeams() = m_Seams;
        CKivDoc::s_BackupWriter = m_BackupWriter;
        CKivDoc::SetProgramDirectory(m_ProgramDir);
        CKivDoc::SetRunMode(m_RunMode);
        kiv::ui::setBackend(m_Backend);
    }
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

private:
    kiv::ui::Backend* m_Backend;
    std::string m_RunMode;
    std::filesystem::path m_ProgramDir;
    std::function<void(CKivDoc&)> m_BackupWriter;
    RecalcSeams m_Seams;
    std::optional<std::string> m_ProfileHome;
};

} // namespace benchsupport
