#pragma once
// Reading and rewriting a file that holds one fixed-size record (settings, header layout, cover
// layout): the record is read over a blank record, so a short file leaves the rest blank and bytes
// past the record's size are ignored; the rewrite replaces the file whole, safely.
#include <filesystem>
#include <string>

#include "estimate/ReferenceFile.h"
#include "platform/files/Files.h"

template <class Record>
struct RecordLoad {
    FileState state = FileState::Missing; // Readable when the record was read
    Record record;                        // all blanks unless read
    std::string error;                    // why a file that exists could not be read
};

template <class Record>
RecordLoad<Record> readRecordFile(const std::filesystem::path& path) {
    RecordLoad<Record> r;
    r.state = probeFile(path);
    if (r.state != FileState::Readable)
        return r;
    auto data = readFileStart(path, Record::Size, &r.error);
    if (!data) {
        r.state = FileState::Unreadable;
        return r;
    }
    r.record = Record::fromBytes(*data);
    return r;
}

// On failure the old file is intact, false is returned and `error` says why (callers show
// kCannotCreateFileMessage).
template <class Record>
bool writeRecordFile(const std::filesystem::path& path, const Record& record, std::string* error = nullptr) {
    return kiv::files::writeFileAtomically(path, record.bytes(), error);
}
