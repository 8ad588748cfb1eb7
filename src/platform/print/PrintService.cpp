#include "platform/print/PrintService.h"

#include "platform/ui/Backend.h"

#include <algorithm>

namespace kiv::print {

PrintService* printService() {
    return ui::hasBackend() ? dynamic_cast<PrintService*>(&ui::backend()) : nullptr;
}

std::vector<int> PreviewState::shownPages() const {
    std::vector<int> out;
    if (m_Count <= 0)
        return out;
    out.push_back(m_Page);
    if (twoPages() && m_Page + 1 <= m_Count)
        out.push_back(m_Page + 1);
    return out;
}

bool PreviewState::enabled(Button b) const {
    switch (b) {
    case Next: return m_Page + (twoPages() ? 2 : 1) <= m_Count;
    case Prev: return m_Page > 1;
    case OneTwo: return m_Zoom == 0 && m_Count > 1;
    case ZoomIn: return m_Zoom < kZoomSteps && m_Count > 0;
    case ZoomOut: return m_Zoom > 0;
    case Print:
    case Close: return true;
    }
    return false;
}

std::string PreviewState::caption(Button b) const {
    switch (b) {
    case Print: return "印刷...";
    case Next: return "次ページ";
    case Prev: return "前ページ";
    case OneTwo: return twoPages() ? "1ページ" : "2ページ";
    case ZoomIn: return "拡大";
    case ZoomOut: return "縮小";
    case Close: return "閉じる";
    }
    return {};
}

std::string PreviewState::pageLabel() const {
    const std::vector<int> shown = shownPages();
    if (shown.empty())
        return "ページ 0 / 0";
    std::string pages = std::to_string(shown.front());
    if (shown.size() > 1)
        pages += "-" + std::to_string(shown.back());
    return "ページ " + pages + " / " + std::to_string(m_Count);
}

bool PreviewState::press(Button b) {
    if (!enabled(b))
        return false;
    switch (b) {
    case Next: m_Page += twoPages() ? 2 : 1; break;
    case Prev: m_Page = std::max(1, m_Page - (twoPages() ? 2 : 1)); break;
    case OneTwo: m_TwoPages = !m_TwoPages; break;
    case ZoomIn: ++m_Zoom; break;
    case ZoomOut: --m_Zoom; break;
    case Print:
    case Close: break;
    }
    return true;
}

} // namespace kiv::print
