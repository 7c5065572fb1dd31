#include "DC.h"

bool CGdiObject::Attach(std::unique_ptr<Handle> handle) {
    m_handle = std::move(handle);
    return m_handle != nullptr;
}

bool CPen::CreatePenIndirect(CDC* dc, const LOGPEN* logPen) {
    return Attach(dc->CreatePenHandle(*logPen));
}

bool CFont::CreateFontIndirect(CDC* dc, const LOGFONT* logFont) {
    return Attach(dc->CreateFontHandle(*logFont));
}
