#include "master/MasterPath.h"

#include "estimate/KivDoc.h"
#include "platform/files/Files.h"
#include "platform/profile/Profile.h"

namespace fs = std::filesystem;

const char* DefaultMasterName(std::string_view mode) { return mode != "2" ? "Eﾏｽﾀｰ.MST" : "Mﾏｽﾀｰ.MMS"; }

fs::path MasterFilePath(std::string_view mode, const std::string& fallback) {
    const bool denki = mode != "2";
    auto& profile = kiv::profile::Profile::user();
    std::string path = profile.getString(denki ? "Emaster_Section" : "Mmaster_Section",
                                         denki ? "Emaster_Dat" : "Mmaster_Dat", fallback);
    fs::path result = path.empty()
                          ? kiv::files::resolveNoCase(CKivDoc::ProgramDirectory(), DefaultMasterName(mode))
                          : fs::path(path);
    std::error_code ec;
    fs::path abs = fs::absolute(result, ec);
    return ec ? result : abs;
}
