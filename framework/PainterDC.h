#pragma once

// CPainterDC(QPainter& painter): a CDC drawing through a painter that is
// already active on its device (a widget, a printer, a QImage, an SVG or PDF
// generator). The device's logicalDpiX/Y is the resolution GetDeviceCaps
// reports, its width and height (a printer's printable area) its size. The
// constructor saves the painter's state and gives it the defaults the
// drawing relies on: a white fill, black text on an opaque white background,
// a black pen one logical unit wide; the destructor restores the state.
// It paints no background itself: erase the area before drawing. The mapping
// starts as MM_TEXT (one unit per device pixel, y down) on top of the
// painter's transform at construction.

#include "DC.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTransform>

#include <functional>

class QPainter;

class CPainterDC : public CDC {
  public:
    explicit CPainterDC(QPainter& painter);
    ~CPainterDC() override;

    CPainterDC(const CPainterDC&) = delete;
    CPainterDC& operator=(const CPainterDC&) = delete;

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

    CPen* SelectObject(CPen* pen) override;
    CFont* SelectObject(CFont* font) override;

    TextExtent GetTextExtent(const char* text, int length) const override;
    COLORREF SetDCBrushColor(COLORREF color) override;
    COLORREF SetBkColor(COLORREF color) override;

    // Size of the font that LOGFONT height 0 stands for.
    static constexpr double kDefaultFontPointSize = 8.0;

  protected:
    std::unique_ptr<CGdiObject::Handle> CreatePenHandle(const LOGPEN& logPen) override;
    std::unique_ptr<CGdiObject::Handle> CreateFontHandle(const LOGFONT& logFont) override;

  private:
    // Fonts come in whole pixel sizes: the rest of the size is a scale
    // applied when the text is drawn.
    struct SizedFont {
        QFont font;
        double scale = 1;
    };
    SizedFont FontFor(const LOGFONT& logFont) const;

    // Logical points to device pixels: the world transform, then the
    // mapping the map mode, extents and origin give (the page mapping).
    QTransform Mapping() const;
    QTransform PageMapping() const;
    void ApplyMapping();
    // Logical units to device pixels along y under the page mapping: fonts
    // are made at that size, the world transform then scales their glyphs.
    double LogicalToDeviceY(double units) const;
    double PenWidthInLogicalUnits() const;

    QPainter& m_painter;
    QTransform m_base;
    int m_mapMode = MM_TEXT;
    QTransform m_world;
    QPoint m_windowOrg;
    QSize m_windowExt{1, 1};
    QSize m_viewportExt{1, 1};
    QPoint m_current;
    CPen* m_selectedPen = nullptr;
    CFont* m_selectedFont = nullptr;
    LOGPEN m_pen;
    SizedFont m_font;
    COLORREF m_fill = RGB(255, 255, 255);
    COLORREF m_background = RGB(255, 255, 255);
};

// The one way a device is painted: the area erased to white, then `paint`
// given a surface over the painter to prepare and draw on.
void PaintOnWhite(QPainter& painter, const QRect& area, const std::function<void(CDC*)>& paint);
