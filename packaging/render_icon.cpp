// Renders the application's SVG icon to a square PNG of the given size, for the icon theme's
// fixed-size folders:  veltrix-icon-render ICON.svg SIZE OUT.png
// The SVG is the one source of the picture; the PNGs are made from it at build time.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: veltrix-icon-render ICON.svg SIZE OUT.png\n");
        return 2;
    }
    // No window is shown: the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[2]);
    if (!svg.isValid() || size < 1 || size > 4096) {
        std::fprintf(stderr, "veltrix-icon-render: cannot render %s at %s pixels\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "veltrix-icon-render: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
