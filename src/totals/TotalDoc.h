#pragma once
// CTotalDoc: the totals document (集計). Its template, frame and views are registered at start so
// that the totals' file kinds are known and dispatched; until the totals are built, the document
// refuses to open or to be created, with a message, and nothing is left open.
#include "platform/ui/Document.h"

class CTotalDoc : public kiv::ui::Document {
public:
    static const char* const kNotAvailableMessage;

    bool onNewDocument() override;
    bool onOpenDocument(const std::filesystem::path& path) override;
};
