#include "estimate/MasterPath.h"

#include "estimate/GyouRecord.h"
#include "estimate/KivDoc.h"
#include "estimate/MstFile.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"

namespace fs = std::filesystem;

const char* DefaultMasterName(std::string_view mode) { return mode != "2" ? "Eﾏｽﾀｰ.MST" : "Mﾏｽﾀｰ.MMS"; }

namespace {

const char* masterSection(std::string_view mode) { return mode != "2" ? "Emaster_Section" : "Mmaster_Section"; }
const char* masterEntry(std::string_view mode) { return mode != "2" ? "Emaster_Dat" : "Mmaster_Dat"; }

// A master without lines would read as the old electrical layout (its first line counts as one
// character long) and ask to be converted: a new master holds one blank line of the current
// layout, category 1, line 1, as a new line is made.
std::string newMasterBytes() {
    std::string line = GyouRecord::blankRow();
    GyouRecord::writeKey(line, 1, 1);
    GyouRecord::fillBlankHokyuu(line);
    return WriteMstFile(std::vector<std::string>{line});
}

} // namespace

fs::path MasterFilePath(std::string_view mode, const std::string& fallback) {
    auto& profile = kiv::profile::Profile::user();
    std::string path = profile.getString(masterSection(mode), masterEntry(mode), fallback);
    fs::path result = path.empty()
                          ? kiv::files::resolveNoCase(CKivDoc::ProgramDirectory(), DefaultMasterName(mode))
                          : fs::path(path);
    std::error_code ec;
    fs::path abs = fs::absolute(result, ec);
    return ec ? result : abs;
}

bool RememberMasterFile(std::string_view mode, const fs::path& path) {
    return kiv::profile::Profile::user().writeString(masterSection(mode), masterEntry(mode), path.string());
}

bool OfferNewMaster(const fs::path& path, const ConfirmCreate& confirmCreate, std::string& message) {
    message.clear();
    if (probeFile(path) != FileState::Missing)
        return true;
    return acceptChosenFile(path, confirmCreate, message, newMasterBytes());
}
