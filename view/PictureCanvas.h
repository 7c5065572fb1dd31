#pragma once

#include "LatticePicture.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace quib {

// A widget that shows one picture besides the view's own, such as the
// statistics': laid out once for the widget's resolution when it is given,
// then drawn as the view draws, scaled down where the widget is smaller than
// the picture.
class PictureCanvas : public QWidget {
    Q_OBJECT

  public:
    using Maker = std::function<LatticePicture(CDC* surface)>;

    explicit PictureCanvas(QWidget* parent = nullptr);

    // The picture `make` makes, for this widget's resolution.
    void SetPicture(const Maker& make);
    // A line in place of a picture, such as "Reading...".
    void SetPlaceholder(const QString& text);
    // The picture shown, if any.
    const LatticePicture* Picture() const { return m_picture ? &*m_picture : nullptr; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<LatticePicture> m_picture;
    QString m_placeholder;
};

} // namespace quib
