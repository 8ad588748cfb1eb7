#pragma once
// One automation call of the spreadsheet stand-in as a line of text: object, member id, kind and
// the arguments, so a test can compare the calls an export sends in order.
#include <cstdio>
#include <string>

#include "platform/automation/Dispatch.h"
#include "platform/text/Cp932.h"

namespace kivtest {

inline std::string callText(const kiv::automation::Call& c) {
    using kiv::automation::InvokeKind;
    char id[16];
    std::snprintf(id, sizeof id, "%X", static_cast<unsigned>(c.dispid));
    std::string s = c.object + "." + id + (c.kind == InvokeKind::Get ? " get" : c.kind == InvokeKind::Put ? " put" : " call");
    for (const auto& a : c.args)
        s += " | " + kiv::automation::describe(a);
    return kiv::text::toUtf8(s);
}

} // namespace kivtest
