#pragma once
// The print-layout files every estimate reads: the header/footer layout "ヘッダー.hdr" (256 bytes)
// and the cover-page layout "表紙.frm" (752 bytes). A file longer than its record is read only
// to the record's end; a shorter one leaves the rest blank.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "estimate/FixedRecordFile.h"
#include "estimate/HedderRecord.h"
#include "estimate/HyousiFormRecord.h"

inline RecordLoad<HedderRecord> readHedderFile(const std::filesystem::path& path) {
    return readRecordFile<HedderRecord>(path);
}
inline RecordLoad<HyousiFormRecord> readHyousiFormFile(const std::filesystem::path& path) {
    return readRecordFile<HyousiFormRecord>(path);
}

// What a layout-file chooser does once the user has picked a file. When `switched`, the caller
// makes `record` and the chosen path the current estimate's and parses the record; otherwise the
// estimate keeps its layout. `messages` (UTF-8) are to be shown in order.
template <class Record>
struct LayoutSwitch {
    bool switched = false;
    Record record;
    std::vector<std::string> messages;
};

// Reads the accepted file into the switch; false (with the message) when it cannot be read.
template <class Record>
bool readChosenLayout(LayoutSwitch<Record>& r, const std::filesystem::path& chosen) {
    RecordLoad<Record> load = readRecordFile<Record>(chosen);
    if (load.state != FileState::Readable) {
        r.messages.push_back(unreadableFileMessage(chosen));
        return false;
    }
    r.switched = true;
    r.record = load.record;
    return true;
}

// The choice for good: the file is accepted (acceptChosenFile: a missing one created empty only
// after the user agrees, an unreadable one refused), read, and recorded in the profile under the
// layout's entry, which every estimate created from now on reads.
template <class Record>
LayoutSwitch<Record> switchLayoutFile(ReferenceFile which, const std::filesystem::path& chosen,
                                      const ConfirmCreate& confirmCreate) {
    LayoutSwitch<Record> r;
    std::string message;
    if (!acceptChosenFile(chosen, confirmCreate, message)) {
        if (!message.empty())
            r.messages.push_back(message);
        return r;
    }
    if (!readChosenLayout(r, chosen))
        return r;
    if (!rememberReferenceFile(which, chosen))
        r.messages.push_back(profileNotWrittenMessage(chosen));
    return r;
}

// The choice for this run only: nothing is created and the profile is not written. A missing file
// asks for another one; an existing file is taken only when `confirmSwitch` agrees to the
// question temporarySwitchQuestion(chosen).
using ConfirmSwitch = std::function<bool(const std::string& question)>;
template <class Record>
LayoutSwitch<Record> switchLayoutFileForRun(const std::filesystem::path& chosen, const ConfirmSwitch& confirmSwitch) {
    LayoutSwitch<Record> r;
    switch (probeFile(chosen)) {
    case FileState::Missing:
        r.messages.push_back(chosen.string() + "ファイルが存在しません。他のファイルを選択してください。");
        return r;
    case FileState::Unreadable:
        r.messages.push_back(unreadableFileMessage(chosen));
        return r;
    case FileState::Readable:
        break;
    }
    if (!confirmSwitch(chosen.string() + "ファイルに一時的に変更します。アプリケーション終了時には元に戻ります。"))
        return r;
    readChosenLayout(r, chosen);
    return r;
}
