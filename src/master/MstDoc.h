#pragma once
// MstDoc: the master document (マスター). Its template, frame and views are registered at start so
// that the master's file kinds are known and dispatched; until the master editor is built, the
// document refuses to open, with a message, and nothing is left open.
#include "platform/ui/Document.h"

class MstDoc : public kiv::ui::Document {
public:
    // What the user is told when a master file or a new master is asked for.
    static const char* const kNotAvailableMessage;

    bool onNewDocument() override;
    bool onOpenDocument(const std::filesystem::path& path) override;
};
