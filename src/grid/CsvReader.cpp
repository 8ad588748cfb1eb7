#include "grid/CsvReader.h"

#include <fstream>
#include <system_error>

namespace csv {

std::string Line::column(int n) const {
    if (n < 1 || n > static_cast<int>(fields.size()))
        return {};
    return fields[static_cast<std::size_t>(n - 1)];
}

namespace {

// Splits one line (without its line end) into fields; false when a quoted field is not closed.
bool splitLine(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t i = 0;
    while (true) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += line[i++];
            }
            if (!closed)
                return false;
            // Bytes between the closing quote and the next comma belong to the field as they are.
            while (i < line.size() && line[i] != ',')
                field += line[i++];
        } else {
            while (i < line.size() && line[i] != ',')
                field += line[i++];
        }
        fields.push_back(std::move(field));
        if (i >= line.size())
            return true;
        ++i;   // the comma
    }
}

} // namespace

Result parse(std::string_view data, int maxLines) {
    Result r;
    std::size_t pos = 0;
    int number = 0;
    while (pos < data.size()) {
        std::size_t end = data.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = data.size();
        const std::string_view text = data.substr(pos, end - pos);
        ++number;
        pos = end;
        if (pos < data.size()) {
            if (data[pos] == '\r' && pos + 1 < data.size() && data[pos + 1] == '\n')
                pos += 2;
            else
                ++pos;
        }
        if (text.empty())
            continue;
        if (static_cast<int>(r.lines.size()) >= maxLines) {
            r.status = Status::TooManyLines;
            r.errorLine = number;
            r.lines.clear();
            return r;
        }
        Line line;
        line.number = number;
        if (!splitLine(text, line.fields)) {
            r.status = Status::OpenQuote;
            r.errorLine = number;
            r.lines.clear();
            return r;
        }
        r.lines.push_back(std::move(line));
    }
    return r;
}

Result readFile(const std::filesystem::path& path, std::size_t maxBytes, int maxLines) {
    Result r;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        r.status = Status::CannotOpen;
        return r;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        r.status = Status::CannotOpen;
        return r;
    }
    // One byte more than allowed tells a file that is too large without reading all of it.
    std::string data(maxBytes + 1, '\0');
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    if (in.bad()) {
        r.status = Status::CannotOpen;
        return r;
    }
    data.resize(static_cast<std::size_t>(in.gcount()));
    if (data.size() > maxBytes) {
        r.status = Status::TooLarge;
        return r;
    }
    return parse(data, maxLines);
}

} // namespace csv
