#include "estimate/ReferenceRecords.h"

#include "estimate/LayoutFile.h"
#include "estimate/RoumuFile.h"
#include "estimate/SetteiFile.h"

namespace {

// Records the outcome of one read; true when the record was read.
bool note(ReferenceRecords& out, ReferenceFile which, const std::filesystem::path& path, FileState state) {
    if (state == FileState::Missing)
        out.messages.push_back(missingReferenceMessage(which));
    else if (state == FileState::Unreadable)
        out.messages.push_back(unreadableFileMessage(path));
    return state == FileState::Readable;
}

} // namespace

ReferenceRecords loadRoumuSetteiRecords(std::string_view mode, const std::filesystem::path& programDir) {
    ReferenceRecords out;

    out.roumuPath = locateReferenceFile(ReferenceFile::Roumu, programDir);
    RoumuLoad roumu = readRoumuFile(out.roumuPath);
    if ((out.roumuRead = note(out, ReferenceFile::Roumu, out.roumuPath, roumu.state))) {
        out.roumu = std::move(roumu.list);
        if (!roumu.warning.empty())
            out.messages.push_back(roumu.warning);
    }

    if (auto which = setteiReferenceFile(mode)) {
        out.setteiPath = locateReferenceFile(*which, programDir);
        SetteiLoad settei = readSetteiFile(out.setteiPath);
        if ((out.setteiRead = note(out, *which, out.setteiPath, settei.state)))
            out.settei = settei.record;
    }
    return out;
}

ReferenceRecords loadReferenceRecords(std::string_view mode, const std::filesystem::path& programDir) {
    ReferenceRecords out = loadRoumuSetteiRecords(mode, programDir);

    out.hedderPath = locateReferenceFile(ReferenceFile::Hedder, programDir);
    auto hedder = readHedderFile(out.hedderPath);
    if ((out.hedderRead = note(out, ReferenceFile::Hedder, out.hedderPath, hedder.state)))
        out.hedder = hedder.record;

    out.hyousiPath = locateReferenceFile(ReferenceFile::HyousiForm, programDir);
    auto hyousi = readHyousiFormFile(out.hyousiPath);
    if ((out.hyousiRead = note(out, ReferenceFile::HyousiForm, out.hyousiPath, hyousi.state)))
        out.hyousiForm = hyousi.record;

    return out;
}
