// Renders the scalable application icon to PNG files of the given sizes,
// so that the installed icon theme sizes all come from one drawing.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: quib-render-icon SVG OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "quib-render-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int k = 3; k < argc; ++k) {
        const int size = QByteArray(argv[k]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString path =
            QStringLiteral("%1/quib-%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!image.save(path)) {
            std::fprintf(stderr, "quib-render-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
