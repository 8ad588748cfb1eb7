#pragma once
// The print-layout files every estimate reads: the header/footer layout "ヘッダー.hdr" (256 bytes)
// and the cover-page layout "表紙.frm" (752 bytes). A file longer than its record is read only
// to the record's end; a shorter one leaves the rest blank.
#include <filesystem>

#include "estimate/FixedRecordFile.h"
#include "estimate/HedderRecord.h"
#include "estimate/HyousiFormRecord.h"

inline RecordLoad<HedderRecord> readHedderFile(const std::filesystem::path& path) {
    return readRecordFile<HedderRecord>(path);
}
inline RecordLoad<HyousiFormRecord> readHyousiFormFile(const std::filesystem::path& path) {
    return readRecordFile<HyousiFormRecord>(path);
}
