#pragma once

// Dialog units: a quarter of the dialog font's average character width
// across, an eighth of its height down.

#include <QFont>
#include <QRect>

class CDialogUnits {
  public:
    explicit CDialogUnits(const QFont& font);

    QRect ToPixels(int x, int y, int cx, int cy) const;
    QSize ToPixels(int cx, int cy) const;

    int BaseUnitX() const { return m_baseX; }
    int BaseUnitY() const { return m_baseY; }

  private:
    int m_baseX;
    int m_baseY;
};
