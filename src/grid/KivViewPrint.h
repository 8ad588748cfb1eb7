#pragma once
// The estimate view's print state and job (CKivPrint, print/KivPrint.h) belong to the printing
// subsystem, which sits above the view: the view holds its own through these calls, which the
// printing subsystem defines, and never needs the class itself.
#include <memory>

#include "platform/print/PrintView.h"

class CKivPrint;
class CKivView;

struct KivPrintDelete {
    void operator()(CKivPrint* print) const;
};
using KivPrintPtr = std::unique_ptr<CKivPrint, KivPrintDelete>;

// The print state of a new view.
KivPrintPtr MakeKivPrint(CKivView& view);

// 印刷 (57607), direct printing (57608) or 印刷ﾌﾟﾚﾋﾞｭｰ (57609) with the view's print state.
void RunKivPrintCommand(CKivPrint& print, kiv::print::PrintCommand command);
