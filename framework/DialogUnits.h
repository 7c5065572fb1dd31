#pragma once

// Dialog units: a quarter of the dialog font's average character width
// across, an eighth of its height down.

#include <QFont>
#include <QRect>

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font);

    QRect ToPixels(int x, int y, int cx, int cy) const;
    QSize ToPixels(int cx, int cy) const { return ToPixels(0, 0, cx, cy).size(); }

  private:
    int m_baseX;
    int m_baseY;
};
