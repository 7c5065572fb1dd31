// Writes the application icon for the desktop's icon theme: PNG files of the
// given sizes and a scalable SVG, all from the drawing the window uses.
#include "Resources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: quib-render-icon OUTDIR SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int k = 2; k < argc; ++k) {
        const int size = QByteArray(argv[k]).toInt();
        const QString path = QStringLiteral("%1/quib-%2.png").arg(folder).arg(size);
        if (size <= 0 || !quib::DrawApplicationIconImage(size).save(path)) {
            std::fprintf(stderr, "quib-render-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    constexpr int kScalableSize = 64;
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/quib.svg"));
    svg.setSize(QSize(kScalableSize, kScalableSize));
    svg.setViewBox(QRect(0, 0, kScalableSize, kScalableSize));
    svg.setTitle(QStringLiteral("Quib"));
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    quib::PaintApplicationIcon(painter, kScalableSize);
    return painter.end() ? 0 : 1;
}
