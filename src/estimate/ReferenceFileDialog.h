#pragma once
// The base of the reference-file choosers (settings file, labour-price file): a path box showing
// the file the current estimate uses and a 参照 button that picks another. The switch happens
// when a file is picked: a missing file is created only after the user agrees, an existing one
// that cannot be read is reported and never created over, and the estimate takes the file's
// contents and path. OK and Cancel only close the dialog. With no current estimate there is
// nothing to switch and 参照 does nothing.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "estimate/ReferenceFile.h"
#include "platform/ui/Dialog.h"

class CKivDoc;

class ReferenceFileDialog : public kiv::ui::Dialog {
public:
    static constexpr int kBrowse = 1222;
    static constexpr int kMaxPath = 120;

    // `pathBox` is the id of the path box in the template.
    ReferenceFileDialog(const kiv::ui::DialogTemplate& t, int pathBox, kiv::ui::Window* parent);

    std::string m_Path; // the path box (CP932), at most 120 characters when confirmed

    void doDataExchange(kiv::ui::DataExchange& dx) override;
    void onShowDialog() override;

protected:
    // The path the current estimate uses now.
    virtual std::filesystem::path currentPath(const CKivDoc& doc) const = 0;
    // The extension of the files offered, without the dot; empty when no file can be chosen.
    virtual std::string extension() const = 0;
    // Reads the chosen file (after acceptChosenFile's steps) and, when it could be read, makes it
    // the estimate's. Returns the messages to show, in order.
    virtual std::vector<std::string> switchTo(CKivDoc& doc, const std::filesystem::path& chosen,
                                              const ConfirmCreate& confirmCreate) = 0;
    // Whether 参照 first puts the estimate's path back into the path box, discarding typed text.
    virtual bool showsPathOnBrowse() const { return true; }

private:
    void OnBrowse();
    void showPath(const std::filesystem::path& path);

    int m_PathBox;
};
