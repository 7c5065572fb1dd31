#include "LiteralAlignment.h"

void LiteralAlignment(const CLatticeRecordArray& primary, CLatticeRecordArray& imported) {
    for (int i = 0; i < primary.GetSize(); ++i) {
        for (int j = i; j < imported.GetSize(); ++j) {
            if (primary[i].m_nRecordNumber == imported[j].m_nRecordNumber) {
                const CLatticeRecord temporary = imported[j];
                imported[j] = imported[i];
                imported[i] = temporary;
                break;
            }
        }
    }
}
