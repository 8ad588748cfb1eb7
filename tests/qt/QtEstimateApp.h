#pragma once
// An application with one estimate window on the Qt backend, whose view edits an estimate the
// test made (the document of the window is a plain line document; the view is given the
// estimate).
#include <memory>

#include "estimate/KivDoc.h"
#include "grid/KivView.h"
#include "platform/ui/App.h"
#include "platform/ui/Frame.h"
#include "resources/MainFrameResources.h"
#include "support/UiTestViews.h"

namespace kiv::test {

class EstimateMainFrame : public ui::MainFrame {
public:
    int onCreate() override {
        addToolbar(res::standardToolbar());
        statusBar().setIndicators(res::statusIndicators());
        return 0;
    }
};

// One estimate window whose view edits the estimate the test made.
class EstimateApp : public ui::App {
public:
    explicit EstimateApp(CKivDoc& doc) : m_Doc(doc) {}
    ui::DocTemplate* estimate = nullptr;
    bool initInstance() override {
        estimate = addDocTemplate(std::make_unique<ui::DocTemplate>(
            129, "\n内訳書\n内訳書\n\n.KIV\n\n", ui::factoryOf<LineDocument>(), ui::factoryOf<ui::ChildFrame>(),
            [this] {
                auto v = std::make_unique<CKivView>();
                v->SetDocument(&m_Doc);
                return v;
            }));
        auto* main = setMainFrame(std::make_unique<EstimateMainFrame>());
        if (!main->loadFrame(&res::mainFrameMenu(), &res::mainFrameAccelerators(), "Kiv"))
            return false;
        main->show(true);
        return true;
    }

private:
    CKivDoc& m_Doc;
};

} // namespace kiv::test
