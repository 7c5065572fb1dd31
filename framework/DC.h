#pragma once

// The drawing surface: the device context, its pen and its font, with just the
// operations the view's drawing uses. Coordinates are logical units of the
// current mapping; CPainterDC draws on a QPainter.

#include <cstdint>
#include <memory>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int red, int green, int blue) {
    return COLORREF(red & 0xff) | COLORREF(green & 0xff) << 8 | COLORREF(blue & 0xff) << 16;
}

constexpr int MM_TEXT = 1;
constexpr int MM_ANISOTROPIC = 8;

constexpr int HORZRES = 8;  // the printable width in device pixels
constexpr int VERTRES = 10; // the printable height in device pixels
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

constexpr int PS_SOLID = 0;
constexpr int PS_INSIDEFRAME = 6;

constexpr int LF_FACESIZE = 32;

struct POINT {
    int x = 0;
    int y = 0;
};

struct LOGPEN {
    unsigned lopnStyle = PS_SOLID;
    POINT lopnWidth;
    COLORREF lopnColor = 0;
};

// Heights are in logical units: 0 asks for the surface's default font, a
// negative height gives the character height, a positive one the cell height.
struct LOGFONT {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = 0;
    unsigned char lfItalic = 0;
    unsigned char lfUnderline = 0;
    unsigned char lfStrikeOut = 0;
    unsigned char lfCharSet = 0;
    unsigned char lfOutPrecision = 0;
    unsigned char lfClipPrecision = 0;
    unsigned char lfQuality = 0;
    unsigned char lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

// A transformation of logical points before the mapping: x' = x * eM11 + y *
// eM21 + eDx, y' = x * eM12 + y * eM22 + eDy.
struct XFORM {
    float eM11 = 1;
    float eM12 = 0;
    float eM21 = 0;
    float eM22 = 1;
    float eDx = 0;
    float eDy = 0;
};

// A text's width and height in logical units, fractions kept.
struct TextExtent {
    double cx = 0;
    double cy = 0;
};

class CDC;

// A pen or font is created on a surface; the surface keeps what it needs in
// the object's handle, which goes when the object is destroyed. Selecting a
// pen or font that was never created successfully is not allowed.
class CGdiObject {
  public:
    struct Handle {
        virtual ~Handle() = default;
    };

    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() = default;

    bool IsCreated() const { return m_handle != nullptr; }
    Handle* GetHandle() const { return m_handle.get(); }

  protected:
    bool Attach(std::unique_ptr<Handle> handle);

  private:
    std::unique_ptr<Handle> m_handle;
};

class CPen : public CGdiObject {
  public:
    // Creates the pen on dc; false when the surface refuses.
    bool CreatePenIndirect(CDC* dc, const LOGPEN* logPen);
};

class CFont : public CGdiObject {
  public:
    // Creates the font on dc; false when the surface refuses.
    bool CreateFontIndirect(CDC* dc, const LOGFONT* logFont);
};

class CDC {
  public:
    virtual ~CDC() = default;

    virtual int SetMapMode(int mode) = 0;
    virtual void SetWindowExt(int cx, int cy) = 0;
    virtual void SetViewportExt(int cx, int cy) = 0;
    virtual void OffsetWindowOrg(int dx, int dy) = 0;
    virtual int GetDeviceCaps(int index) const = 0;
    // Everything drawn from now on, texts, pens and the surface's own font
    // included, goes through `transform` before the mapping; texts measure
    // as before. The transform must be invertible.
    virtual void SetWorldTransform(const XFORM& transform) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Texts are UTF-8, as every string of the program.
    virtual void TextOut(int x, int y, const char* text, int length) = 0;
    // The size the text would take in the selected font.
    virtual TextExtent GetTextExtent(const char* text, int length) const = 0;

    // The colour inside ellipses, white at first, and the one behind texts,
    // white at first; each returns the one it replaces.
    virtual COLORREF SetDCBrushColor(COLORREF color) = 0;
    virtual COLORREF SetBkColor(COLORREF color) = 0;

    // Each returns the pen or font it replaces: nullptr stands for the
    // surface's own, which selecting nullptr brings back.
    virtual CPen* SelectObject(CPen* pen) = 0;
    virtual CFont* SelectObject(CFont* font) = 0;

  protected:
    friend class CPen;
    friend class CFont;
    // A null result means the creation failed.
    virtual std::unique_ptr<CGdiObject::Handle> CreatePenHandle(const LOGPEN& logPen) = 0;
    virtual std::unique_ptr<CGdiObject::Handle> CreateFontHandle(const LOGFONT& logFont) = 0;
};
