// Toolbar buttons and the application icon on a screen of doubled pixel
// density: each comes with images drawn for that density, not enlarged ones.

#include "Resources.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// How many pixels differ from the picture enlarged from its half-size form,
// pixel by pixel: zero for an image that is only a blown-up copy.
int PixelsBeyondEnlargement(const QImage& sharp, const QImage& small) {
    const QImage enlarged =
        small.scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    const QImage own = sharp.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x)
            differing += own.pixel(x, y) != enlarged.pixel(x, y);
    return differing;
}

TEST(HighResolution, ToolbarImagesAreDrawnAtDoubleDensity) {
    const QPixmap normal = kQuibResources.toolbarBitmap(1.0);
    const QPixmap sharp = kQuibResources.toolbarBitmap(2.0);
    EXPECT_EQ(normal.size(), QSize(128, 15));
    EXPECT_EQ(sharp.size(), QSize(256, 30));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_GT(PixelsBeyondEnlargement(sharp.toImage(), normal.toImage()), 200);
}

TEST(HighResolution, ApplicationIconHasImagesForDoubleDensity) {
    const QIcon icon = kQuibResources.mainIcon();
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const QPixmap doubled = icon.pixmap(QSize(size, size), 2.0);
        EXPECT_EQ(doubled.size(), QSize(2 * size, 2 * size));
        EXPECT_GT(PixelsBeyondEnlargement(quib::DrawApplicationIconImage(2 * size),
                                          quib::DrawApplicationIconImage(size)),
                  size);
        EXPECT_EQ(doubled.toImage().convertToFormat(QImage::Format_RGB32),
                  quib::DrawApplicationIconImage(2 * size));
    }
}

} // namespace
