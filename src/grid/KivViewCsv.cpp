// CKivView: CSVﾌｧｲﾙ読込 (placeholder until the reader is in).
#include "grid/KivView.h"
void CKivView::OnCsvRead() {}
bool CKivView::ReadCsvFile() { return false; }
