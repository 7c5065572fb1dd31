#pragma once

// The font dialog: a LOGFONT in, the chosen LOGFONT out. Heights count in
// screen pixels, as for the screen's fonts; the colour it offers is not kept.

#include "AfxRes.h"
#include "DC.h"

class QWidget;

constexpr DWORD CF_SCREENFONTS = 0x0001;
constexpr DWORD CF_EFFECTS = 0x0100;

class CFontDialog {
  public:
    explicit CFontDialog(const LOGFONT* initial = nullptr,
                         DWORD flags = CF_SCREENFONTS | CF_EFFECTS, CDC* printerDC = nullptr,
                         QWidget* parent = nullptr);

    int DoModal();
    void GetCurrentFont(LOGFONT* logFont) const { *logFont = m_logFont; }

  private:
    LOGFONT m_logFont;
    QWidget* m_parent;
};
