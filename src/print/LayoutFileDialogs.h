#pragma once
// The layout-file choosers: ﾍｯﾀﾞｰﾌｧｲﾙ切り替え and 表紙ﾌｧｲﾙ切り替え switch the current estimate's
// header/footer or cover-page layout file for good (the profile records the choice, so estimates
// created later read it too); 表紙ﾌｧｲﾙ一時切り替え switches the cover-page layout of the current
// estimate alone, until the program ends. Everything happens when 参照 picks a file; OK and
// ｷｬﾝｾﾙ only close the chooser, never reading the path box, so a long picked path never keeps
// the chooser open.
#include "estimate/ReferenceFileDialog.h"

class LayoutFileDialog : public ReferenceFileDialog {
public:
    enum class Kind { Hedder, Hyousi, HyousiForRun };

    LayoutFileDialog(Kind kind, const kiv::ui::DialogTemplate& t, int pathBox, kiv::ui::Window* parent);
    void onOK() override { endDialog(kiv::ui::IDOK); }

protected:
    std::filesystem::path currentPath(const CKivDoc& doc) const override;
    std::string extension() const override { return m_Kind == Kind::Hedder ? "HDR" : "FRM"; }
    // The switch for the run asks its own OK/Cancel question and never creates a file.
    std::vector<std::string> switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                      const ConfirmCreate& confirmCreate) override;
    // The header chooser leaves typed text in the path box until a file is picked.
    bool showsPathOnBrowse() const override { return m_Kind != Kind::Hedder; }

public:
    // The chooser's template: 参照, OK and ｷｬﾝｾﾙ along the top, the caption and the path box below
    // (the address book's choosers look the same).
    static kiv::ui::DialogTemplate chooserLayout(int id, const char* title, const char* caption, int pathBox);

private:
    Kind m_Kind;
};

class CHeadderfileDialog : public LayoutFileDialog {
public:
    static constexpr int kDialogId = 169;
    static constexpr int kPathBox = 1223;
    explicit CHeadderfileDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};

class CHyousifileDialog : public LayoutFileDialog {
public:
    static constexpr int kDialogId = 167;
    static constexpr int kPathBox = 1021;
    explicit CHyousifileDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};

class CHyousichangeDialog : public LayoutFileDialog {
public:
    static constexpr int kDialogId = 182;
    static constexpr int kPathBox = 1252;
    explicit CHyousichangeDialog(kiv::ui::Window* parent = nullptr);
    static const kiv::ui::DialogTemplate& dialogLayout();
};
