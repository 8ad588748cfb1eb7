// The estimate document's reference records: the run's mode and program folder, and the labour
// list, settings record, header and cover layouts every new estimate reads.
#include "estimate/KivDoc.h"

#include "estimate/KivMessage.h"
#include "estimate/ReferenceRecords.h"
#include "platform/files/Files.h"

namespace {

std::string& runMode() {
    static std::string mode;
    return mode;
}

std::filesystem::path& programDirOverride() {
    static std::filesystem::path dir;
    return dir;
}

} // namespace

void CKivDoc::SetRunMode(std::string_view mode) { runMode() = std::string(mode); }

const std::string& CKivDoc::RunMode() { return runMode(); }

void CKivDoc::SetProgramDirectory(const std::filesystem::path& dir) { programDirOverride() = dir; }

std::filesystem::path CKivDoc::ProgramDirectory() {
    return programDirOverride().empty() ? kiv::files::programDirectory() : programDirOverride();
}

void CKivDoc::LoadReferenceRecords() {
    m_Mode = runMode();
    m_ExeDir = ProgramDirectory();
    m_OpenSlot = g_OpenKivDocs.Take(this);

    ReferenceRecords r = loadReferenceRecords(m_Mode, m_ExeDir);
    m_RoumuPath = std::move(r.roumuPath);
    m_SetteiPath = std::move(r.setteiPath);
    m_HedderPath = std::move(r.hedderPath);
    m_HyousiPath = std::move(r.hyousiPath);
    m_Roumu = std::move(r.roumu);
    m_Settei = r.settei;
    m_Hedder = r.hedder;
    m_HyousiForm = r.hyousiForm;
    m_RoumuRead = r.roumuRead;
    m_SetteiRead = r.setteiRead;
    m_HedderRead = r.hedderRead;
    m_HyousiRead = r.hyousiRead;
    // A record that was not read is blank: its parse gives unused codes, empty texts and zeros.
    ParseSettei();
    ParseHedder();
    ParseHyousi();
    for (const auto& m : r.messages)
        KivMessage(m);
}

void CKivDoc::ParseSettei() { m_SetteiValues = ::ParseSettei(m_Settei); }

void CKivDoc::ParseHedder() { m_HedderLayout = ::ParseHedder(m_Hedder); }

void CKivDoc::ParseHyousi() { m_HyousiLayout = ::ParseHyousi(m_HyousiForm); }
