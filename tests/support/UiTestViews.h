#pragma once
// Small windows of the layer used by the window-layer tests on both backends: a view that
// draws a character grid with frames and colours and logs every event it receives, and a
// document that keeps one line of text in the archive format.
#include "platform/text/Cp932.h"
#include "platform/ui/Document.h"
#include "platform/ui/Frame.h"
#include "platform/ui/View.h"

#include <string>
#include <vector>

namespace kiv::test {

class LineDocument : public ui::Document {
public:
    std::string line;   // CP932
    int deleted = 0;
    void deleteContents() override {
        line.clear();
        ++deleted;
    }
    void serialize(ui::Archive& ar) override {
        if (ar.isStoring())
            ar.writer().writeString(line);
        else
            line = ar.reader().readString();
    }
};

class GridTestView : public ui::View {
public:
    static constexpr ui::Color kCaptionBack = ui::rgb(211, 211, 211);
    static constexpr ui::Color kCaptionText = ui::rgb(0, 0, 205);
    std::vector<std::string> log;
    std::vector<unsigned> chars;
    int paints = 0;
    int cw = 0, lh = 0;
    std::vector<std::string> rows = {text::sj("漢字ABCｶﾅ"), "12345"};

    ui::Font gridFont() const { return {"ＭＳ ゴシック", 14, 400}; }

    void onDraw(ui::Dc& dc) override {
        ++paints;
        ui::Font old = dc.selectFont(gridFont());
        ui::TextMetrics tm = dc.textMetrics();
        cw = tm.aveCharWidth;
        lh = tm.height + 4;
        // Caption line: blue text on grey, in a framed cell.
        dc.selectPen({ui::PenStyle::Solid, 1, ui::rgb(100, 100, 100)});
        dc.selectBrush(ui::Brush::solid(kCaptionBack));
        dc.rectangle({0, 0, 12 * cw, lh});
        ui::Color oldText = dc.setTextColor(kCaptionText);
        dc.setBkColor(kCaptionBack);
        dc.textOut(cw, 2, text::sj("品名"));
        dc.setTextColor(oldText);
        dc.setBkColor(ui::kWhite);
        dc.selectBrush(ui::Brush::solid(ui::kWhite));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            int y = static_cast<int>(i + 1) * lh;
            dc.rectangle({0, y, 12 * cw, y + lh});
            dc.textOut(cw, y + 2, rows[i]);
        }
        dc.selectPen({ui::PenStyle::Dot, 1, ui::rgb(180, 200, 150)});
        dc.moveTo(0, 3 * lh);
        dc.lineTo(12 * cw, 3 * lh);
        dc.selectFont(old);
    }
    int onCreate() override {
        log.push_back("create");
        return 0;
    }
    void onShowWindow(bool show) override { log.push_back(show ? "show" : "hide"); }
    void onInitialUpdate() override {
        log.push_back("initialUpdate");
        View::onInitialUpdate();
    }
    void onSetFocus() override { log.push_back("setFocus"); }
    void onKillFocus() override { log.push_back("killFocus"); }
    void onKeyDown(int vk, int, unsigned) override { log.push_back("keyDown " + std::to_string(vk)); }
    void onKeyUp(int vk, int, unsigned) override { log.push_back("keyUp " + std::to_string(vk)); }
    void onChar(unsigned ch, int, unsigned) override { chars.push_back(ch); }
    void onLButtonDown(unsigned, ui::Point p) override { log.push_back("lDown " + pt(p)); }
    void onLButtonDblClk(unsigned, ui::Point p) override { log.push_back("lDbl " + pt(p)); }
    void onRButtonDown(unsigned, ui::Point p) override { log.push_back("rDown " + pt(p)); }
    void onVScroll(int code, int pos) override { log.push_back("v " + std::to_string(code) + " " + std::to_string(pos)); }
    void onHScroll(int code, int pos) override { log.push_back("h " + std::to_string(code) + " " + std::to_string(pos)); }
    bool onMouseWheel(unsigned, int delta, ui::Point) override {
        log.push_back(delta > 0 ? "wheel up" : "wheel down");
        return true;
    }
    void onTimer(int id) override { log.push_back("timer " + std::to_string(id)); }

private:
    static std::string pt(ui::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
};

// A child frame split 1 x 2: a grid view on each side, the left pane a third of the width.
class SplitTestFrame : public ui::ChildFrame {
public:
    ui::Splitter* splitter = nullptr;
    bool onCreateClient(ui::CreateContext& ctx) override {
        ui::Rect c = clientRect();
        splitter = adopt(std::make_unique<ui::Splitter>());
        if (!splitter->createStatic(this, 1, 2))
            return false;
        int left = static_cast<int>(c.width() / 3.5), right = static_cast<int>(c.width() / 1.4);
        auto make = [] { return std::make_unique<GridTestView>(); };
        if (!splitter->createView(0, 0, make, {left, c.height()}, ctx) ||
            !splitter->createView(0, 1, make, {right, c.height()}, ctx))
            return false;
        setActiveView(static_cast<ui::View*>(splitter->pane(0, 1)));
        return true;
    }
};

} // namespace kiv::test
