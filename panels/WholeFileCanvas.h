#pragma once

// A whole-file figure in a panel: painted once into an image at the
// widget's size and kept, the current record's line moved over it alone; a
// click or a drag on the data goes to a record, and resting the mouse tells
// what lies under it. It never takes the keyboard focus, so the view keeps
// its keys. What is drawn comes from the derived class.

#include <QImage>
#include <QString>
#include <QWidget>

namespace quib {

class WholeFileCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit WholeFileCanvas(QWidget* parent = nullptr);

    // What is drawn changed: laid out and painted anew at the next paint.
    void Invalidate();
    // Moves the current record's line; -1 draws none.
    void SetRecord(int record);
    int Record() const { return m_record; }
    // The figure as last painted, without the line; null before.
    const QImage& Image() const { return m_image; }
    // Written where there is no figure.
    void SetPlaceholder(const QString& text);

  signals:
    // A click or a drag chose the record at a 0-based position.
    void RecordChosen(int record);

  protected:
    // Lays the figure out over `area`; false while there is none to draw.
    virtual bool LayOut(const QRect& area) = 0;
    virtual void PaintFigure(QPainter& painter) const = 0;
    virtual void PaintMarker(QPainter& painter, int record) const = 0;
    virtual QRect MarkerArea(int record) const = 0;
    // The record under a point: of the data alone where a click starts, of
    // any point's column while it drags; -1 for none.
    virtual int RecordAt(QPoint point, bool dragging) const = 0;
    // What the tooltip tells of a point; empty for nothing.
    virtual QString Describe(QPoint point) const = 0;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Laid out at the widget's size for the figure of now.
    bool Ready() const { return m_laidOut && !m_stale; }
    void EnsureImage();
    void Choose(int record);

    QImage m_image;
    QString m_placeholder;
    bool m_laidOut = false;
    bool m_stale = true;
    int m_record = -1;
    bool m_dragging = false;
    int m_chosen = -1; // the last record chosen in this drag
};

} // namespace quib
