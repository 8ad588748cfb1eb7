// The estimate grid's own field reads: the category number of the cursor row.
#include <algorithm>

#include "estimate/GyouRecord.h"
#include "grid/KivView.h"

void CKivView::ReadBunNo() {
    m_BunNo = 0;
    m_CurField[0] = m_BunNoField;
    CalcFieldPos();
    m_BunNo = GyouRecord::toInt(m_EditGyou, m_BunNoField);
}
