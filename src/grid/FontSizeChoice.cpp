#include "grid/FontSizeChoice.h"

#include <algorithm>

#include "platform/profile/Profile.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/MessageBox.h"

int AskScreenFontSize(kiv::ui::Window* parent, const char* section, const char* key, int defaultSize, int current) {
    const int answer = kiv::ui::messageBox(
        "文字表示の大きさを変更するにはＭＳゴシックのフォントサイズを選択してください。"
        "ディフォルトサイズにもどすにはいいえを選択してください\t",
        kiv::ui::MB_YESNOCANCEL, {}, parent);
    auto store = [&](int size) {
        kiv::profile::Profile::user().writeInt(section, key, size);
        return size;
    };
    if (answer == kiv::ui::IDYES) {
        // A dialog closed with Cancel stores nothing.
        if (const auto chosen = kiv::ui::fontDialog(kiv::ui::Font::systemFixed(), parent)) {
            kiv::ui::messageBox("このウィンドを終了後、画面表示が変更されます。", kiv::ui::MB_OK, {}, parent);
            // The dialog's height is the negative pixel height; the grid keeps three quarters of it.
            const int height = chosen->height < 0 ? -chosen->height : chosen->height;
            return store(std::max(1, height * 3 / 4));
        }
    } else if (answer == kiv::ui::IDNO) {
        return store(defaultSize);
    }
    return current;
}
