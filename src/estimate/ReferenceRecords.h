#pragma once
// The four reference records a new estimate document reads: labour prices, settings, header and
// cover layouts, each from the file the profile names or from its default name in the program
// directory.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/HedderRecord.h"
#include "estimate/HyousiFormRecord.h"
#include "estimate/RoumuList.h"
#include "estimate/SetteiRecord.h"

struct ReferenceRecords {
    std::filesystem::path roumuPath;
    std::filesystem::path setteiPath; // empty when the mode has no settings file
    std::filesystem::path hedderPath;
    std::filesystem::path hyousiPath;

    // A record that was not read stays empty or blank: a blank settings record leaves every
    // operation-category code unused.
    RoumuList roumu;
    SetteiRecord settei;
    HedderRecord hedder;
    HyousiFormRecord hyousiForm;
    bool roumuRead = false;
    bool setteiRead = false;
    bool hedderRead = false;
    bool hyousiRead = false;

    // Messages (UTF-8) to show one after another, in reading order.
    std::vector<std::string> messages;
};

// Each file is read on its own: one that is missing or unreadable gets its message and leaves its
// record blank, and the others are still read.
ReferenceRecords loadReferenceRecords(std::string_view mode, const std::filesystem::path& programDir);
// Only the labour prices and the settings record (the master reads no layouts), each on its own
// as above.
ReferenceRecords loadRoumuSetteiRecords(std::string_view mode, const std::filesystem::path& programDir);
