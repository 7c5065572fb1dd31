#pragma once

// A CDC that draws nothing and records every call with its arguments in
// logical units, for checking a drawing to the unit. Pens and fonts get ids
// from 1 in order of creation; 0 stands for the surface's own. A text in the
// surface's font, or in a font of height 0, measures kCharWidth units a
// character and kTextHeight high; in a font whose height is given, that
// height, and half of it a character.

#include "DC.h"

#include <map>
#include <string>
#include <vector>

struct RecordedCall {
    enum class Op {
        SetMapMode,
        SetWindowExt,
        SetViewportExt,
        OffsetWindowOrg,
        SetWorldTransform, // WorldTransform() tells the last one
        MoveTo,
        LineTo,
        Ellipse,
        TextOut,
        CreatePen,  // args: style, width; object: the new id, 0 when refused
        CreateFont, // args: height; object: the new id, 0 when refused
        SelectPen,  // object: the pen selected
        SelectFont, // object: the font selected
        DeletePen,  // object: the pen released
        DeleteFont, // object: the font released
        SetFill,    // args: the colour inside ellipses from now on
        SetBk,      // args: the colour behind texts from now on
    };

    Op op;
    std::vector<int> args;
    std::string text;
    int object = 0;
    // The pen, font, fill and text background when the call was made.
    int pen = 0;
    int font = 0;
    COLORREF fill = RGB(255, 255, 255);
    COLORREF bk = RGB(255, 255, 255);
};

class RecordingDC : public CDC {
  public:
    explicit RecordingDC(int pixelsPerInch = 96, int width = 0, int height = 0)
        : m_pixelsPerInch(pixelsPerInch), m_width(width), m_height(height) {}

    static constexpr double kCharWidth = 6;
    static constexpr double kTextHeight = 12;

    // The n-th creation (counting from 1) of a pen or of a font is refused.
    void FailPenCreation(int n) { m_failPen = n; }
    void FailFontCreation(int n) { m_failFont = n; }

    const std::vector<RecordedCall>& Calls() const { return m_calls; }
    const LOGPEN& PenDescription(int id) const { return m_pens.at(id); }
    const LOGFONT& FontDescription(int id) const { return m_fonts.at(id); }
    int SelectedPen() const { return m_pen; }
    int SelectedFont() const { return m_font; }
    const XFORM& WorldTransform() const { return m_world; }

    int SetMapMode(int mode) override;
    void SetWindowExt(int cx, int cy) override;
    void SetViewportExt(int cx, int cy) override;
    void OffsetWindowOrg(int dx, int dy) override;
    int GetDeviceCaps(int index) const override;
    void SetWorldTransform(const XFORM& transform) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, const char* text, int length) override;
    TextExtent GetTextExtent(const char* text, int length) const override;
    COLORREF SetDCBrushColor(COLORREF color) override;
    COLORREF SetBkColor(COLORREF color) override;

    CPen* SelectObject(CPen* pen) override;
    CFont* SelectObject(CFont* font) override;

  protected:
    std::unique_ptr<CGdiObject::Handle> CreatePenHandle(const LOGPEN& logPen) override;
    std::unique_ptr<CGdiObject::Handle> CreateFontHandle(const LOGFONT& logFont) override;
    // Creates a pen or font handle, or fails on the creation asked to fail.
    template <typename Description>
    std::unique_ptr<CGdiObject::Handle>
    CreateHandle(RecordedCall::Op create, RecordedCall::Op release, std::vector<int> args,
                 int& creations, int failAt, std::map<int, Description>& descriptions,
                 const Description& description);

  private:
    struct RecordedObject;
    static int IdOf(const CGdiObject* object);
    void Record(RecordedCall::Op op, std::vector<int> args, std::string text = {}, int object = 0);

    int m_pixelsPerInch;
    int m_width;
    int m_height;
    XFORM m_world;
    int m_mapMode = MM_TEXT;
    int m_failPen = 0;
    int m_failFont = 0;
    int m_penCreations = 0;
    int m_fontCreations = 0;
    int m_nextId = 1;
    int m_pen = 0;
    int m_font = 0;
    COLORREF m_fill = RGB(255, 255, 255);
    COLORREF m_bk = RGB(255, 255, 255);
    CPen* m_selectedPen = nullptr;
    CFont* m_selectedFont = nullptr;
    std::map<int, LOGPEN> m_pens;
    std::map<int, LOGFONT> m_fonts;
    std::vector<RecordedCall> m_calls;
};
