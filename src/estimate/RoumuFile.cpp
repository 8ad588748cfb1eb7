#include "estimate/RoumuFile.h"

#include "platform/files/Files.h"

std::string roumuFileTooLongMessage() {
    return "労務単価ファイルに" + std::to_string(RoumuList::MaxLines) + "件を超える登録があります。" +
           std::to_string(RoumuList::MaxLines + 1) + "件目以降は読み込みません。";
}

RoumuLoad readRoumuFile(const std::filesystem::path& path) {
    RoumuLoad r;
    r.state = probeFile(path);
    if (r.state != FileState::Readable)
        return r;
    // One byte past the last record the list can hold tells whether the file goes on.
    constexpr std::size_t limit = RoumuList::MaxLines * RoumuRecord::FileSize;
    auto data = readFileStart(path, limit + 1, &r.error);
    if (!data) {
        r.state = FileState::Unreadable;
        return r;
    }
    if (data->size() > limit) {
        r.warning = roumuFileTooLongMessage();
        data->resize(limit);
    }
    std::vector<RoumuRecord> lines;
    for (std::size_t pos = 0; pos < data->size(); pos += RoumuRecord::FileSize) {
        std::string buf(RoumuRecord::FileSize, ' ');
        std::string_view rec = std::string_view(*data).substr(pos, RoumuRecord::FileSize);
        buf.replace(0, rec.size(), rec);
        lines.push_back(RoumuRecord::fromText(buf));
    }
    r.list = RoumuList(std::move(lines));
    return r;
}

std::string roumuFileBytes(const RoumuList& list) {
    std::string out;
    out.reserve(list.count() * RoumuRecord::FileSize);
    for (const RoumuRecord& line : list.lines())
        out += line.fileRecord();
    return out;
}

bool writeRoumuFile(const std::filesystem::path& path, const RoumuList& list, std::string* error) {
    return kiv::files::writeFileAtomically(path, roumuFileBytes(list), error);
}

RoumuSwitch switchRoumuFile(const std::filesystem::path& chosen, const ConfirmCreate& confirmCreate) {
    RoumuSwitch r;
    std::string message;
    if (!acceptChosenFile(chosen, confirmCreate, message)) {
        if (!message.empty())
            r.messages.push_back(message);
        return r;
    }
    RoumuLoad load = readRoumuFile(chosen);
    if (load.state != FileState::Readable) {
        r.messages.push_back(unreadableFileMessage(chosen));
        return r;
    }
    r.switched = true;
    r.list = std::move(load.list);
    if (!load.warning.empty())
        r.messages.push_back(load.warning);
    if (!rememberReferenceFile(ReferenceFile::Roumu, chosen))
        r.messages.push_back(profileNotWrittenMessage(chosen));
    return r;
}
