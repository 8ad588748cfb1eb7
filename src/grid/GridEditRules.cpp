#include "grid/GridEditRules.h"

#include <algorithm>
#include <string_view>

#include "estimate/GyouRecord.h"
#include "estimate/KivMessage.h"
#include "platform/profile/Profile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Number.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"

namespace gridedit {

namespace {

constexpr std::size_t kTanniBytes = 4;

bool allBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// A number as a numeric cell holds it: blanks, an optional "-", digits with at most one ".".
bool isCellNumber(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    const auto last = s.find_last_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    std::string_view t = s.substr(first, last - first + 1);
    if (!t.empty() && t.front() == '-')
        t.remove_prefix(1);
    int digits = 0, points = 0;
    for (char c : t) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

} // namespace

void CopyCellText(std::string& row, int offset, int width, std::string& buf) {
    buf.assign(kCellBufLength, ' ');
    GyouRecord::fitLength(row);
    const int n = std::min(width, kCellBufLength);
    buf.replace(0, static_cast<std::size_t>(n), row.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(n)));
}

void RestoreCellText(std::string& row, int offset, int width, const std::string& buf) {
    GyouRecord::fitLength(row);
    std::string cell = buf;
    cell.resize(kCellBufLength, ' ');
    const int n = std::min(width, kCellBufLength);
    row.replace(static_cast<std::size_t>(offset), static_cast<std::size_t>(n), cell.substr(0, static_cast<std::size_t>(n)));
}

bool PasteCellText(std::string& row, int field, bool isText, const std::string& buf) {
    if (allBlank(buf))
        return false;
    GyouRecord::fitLength(row);
    if (isText) {
        GyouRecord::putTextFitted(row, field, buf);
        return true;
    }
    // The text is checked before it is shown: a cell of any bytes (half a double-byte character,
    // another encoding) is refused, its bad bytes shown as replacement characters.
    const std::string value = trimmed(buf);
    if (!isCellNumber(buf)) {
        KivMessage("貼り付ける「" + kiv::text::toUtf8(value) + "」は数値ではないので、この欄には貼り付けられません。");
        return false;
    }
    if (!GyouRecord::putNumber(row, field, value)) {
        KivMessage("貼り付ける数値 " + value + " はこの欄に入りきりません。");   // digits only
        return false;
    }
    return true;
}

void WriteTanniText(std::string& row, const std::string& text) {
    GyouRecord::fitLength(row);
    const auto offset = static_cast<std::size_t>(GyouRecord::layout(GyouRecord::Tanni).Offset);
    const std::string unit = text.substr(0, std::min(text.size(), kTanniBytes));
    row.replace(offset, kTanniBytes, kTanniBytes, ' ');
    row.replace(offset, unit.size(), unit);
}

int FontSizeFromHeight(int height) {
    const int h = height < 0 ? -height : height;
    return std::max(1, h * 3 / 4);
}

std::optional<int> AskFontSize(kiv::ui::Window* owner, int defaultSize, const char* section, const char* key) {
    const int answer = kiv::ui::messageBox(
        "文字表示の大きさを変更するにはＭＳゴシックのフォントサイズを選択してください。"
        "ディフォルトサイズにもどすにはいいえを選択してください\t",
        kiv::ui::MB_YESNOCANCEL, {}, owner);
    std::optional<int> size;
    if (answer == kiv::ui::IDYES) {
        // A dialog closed with Cancel stores nothing.
        if (const auto chosen = kiv::ui::fontDialog(kiv::ui::Font::systemFixed(), owner)) {
            kiv::ui::messageBox("このウィンドを終了後、画面表示が変更されます。", kiv::ui::MB_OK, {}, owner);
            size = FontSizeFromHeight(chosen->height);
        }
    } else if (answer == kiv::ui::IDNO) {
        size = defaultSize;
    }
    if (size)
        kiv::profile::Profile::user().writeInt(section, key, *size);
    return size;
}

} // namespace gridedit
