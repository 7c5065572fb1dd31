#include "RecordingDC.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

using Op = RecordedCall::Op;

struct RecordingDC::RecordedObject : CGdiObject::Handle {
    RecordedObject(RecordingDC& dc, Op deleteOp, int id) : dc(dc), deleteOp(deleteOp), id(id) {}
    ~RecordedObject() override { dc.Record(deleteOp, {}, {}, id); }

    RecordingDC& dc;
    Op deleteOp;
    int id;
};

int RecordingDC::IdOf(const CGdiObject* object) {
    return object ? static_cast<const RecordedObject*>(object->GetHandle())->id : 0;
}

void RecordingDC::Record(Op op, std::vector<int> args, std::string text, int object) {
    m_calls.push_back({op, std::move(args), std::move(text), object, m_pen, m_font, m_fill, m_bk});
}

int RecordingDC::SetMapMode(int mode) {
    Record(Op::SetMapMode, {mode});
    return std::exchange(m_mapMode, mode);
}

void RecordingDC::SetWindowExt(int cx, int cy) {
    Record(Op::SetWindowExt, {cx, cy});
}

void RecordingDC::SetViewportExt(int cx, int cy) {
    Record(Op::SetViewportExt, {cx, cy});
}

void RecordingDC::OffsetWindowOrg(int dx, int dy) {
    Record(Op::OffsetWindowOrg, {dx, dy});
}

int RecordingDC::GetDeviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_pixelsPerInch;
    case HORZRES:
        return m_width;
    case VERTRES:
        return m_height;
    default:
        return 0;
    }
}

void RecordingDC::SetWorldTransform(const XFORM& transform) {
    Record(Op::SetWorldTransform, {});
    m_world = transform;
}

void RecordingDC::MoveTo(int x, int y) {
    Record(Op::MoveTo, {x, y});
}

void RecordingDC::LineTo(int x, int y) {
    Record(Op::LineTo, {x, y});
}

void RecordingDC::Ellipse(int left, int top, int right, int bottom) {
    Record(Op::Ellipse, {left, top, right, bottom});
}

void RecordingDC::TextOut(int x, int y, const char* text, int length) {
    Record(Op::TextOut, {x, y}, std::string(text, length > 0 ? length : 0));
}

TextExtent RecordingDC::GetTextExtent(const char*, int length) const {
    const int height = m_font != 0 ? std::abs(m_fonts.at(m_font).lfHeight) : 0;
    const double charWidth = height != 0 ? height / 2.0 : kCharWidth;
    return {charWidth * std::max(length, 0), height != 0 ? double(height) : kTextHeight};
}

COLORREF RecordingDC::SetDCBrushColor(COLORREF color) {
    Record(Op::SetFill, {int(color)});
    return std::exchange(m_fill, color);
}

COLORREF RecordingDC::SetBkColor(COLORREF color) {
    Record(Op::SetBk, {int(color)});
    return std::exchange(m_bk, color);
}

CPen* RecordingDC::SelectObject(CPen* pen) {
    m_pen = IdOf(pen);
    Record(Op::SelectPen, {}, {}, m_pen);
    return std::exchange(m_selectedPen, pen);
}

CFont* RecordingDC::SelectObject(CFont* font) {
    m_font = IdOf(font);
    Record(Op::SelectFont, {}, {}, m_font);
    return std::exchange(m_selectedFont, font);
}

template <typename Description>
std::unique_ptr<CGdiObject::Handle>
RecordingDC::CreateHandle(Op create, Op release, std::vector<int> args, int& creations, int failAt,
                          std::map<int, Description>& descriptions,
                          const Description& description) {
    if (++creations == failAt) {
        Record(create, args);
        return nullptr;
    }
    const int id = m_nextId++;
    descriptions[id] = description;
    Record(create, args, {}, id);
    return std::make_unique<RecordedObject>(*this, release, id);
}

std::unique_ptr<CGdiObject::Handle> RecordingDC::CreatePenHandle(const LOGPEN& logPen) {
    return CreateHandle(Op::CreatePen, Op::DeletePen, {int(logPen.lopnStyle), logPen.lopnWidth.x},
                        m_penCreations, m_failPen, m_pens, logPen);
}

std::unique_ptr<CGdiObject::Handle> RecordingDC::CreateFontHandle(const LOGFONT& logFont) {
    return CreateHandle(Op::CreateFont, Op::DeleteFont, {logFont.lfHeight}, m_fontCreations,
                        m_failFont, m_fonts, logFont);
}
