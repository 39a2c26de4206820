// render_icon: draws the program's SVG icon as square PNG files for the
// desktop's icon theme.  render_icon ICON.svg SIZE OUTPUT.png [SIZE OUTPUT.png]...

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: render_icon ICON.svg SIZE OUTPUT.png [SIZE OUTPUT.png]...\n");
        return 2;
    }
    QSvgRenderer icon(QString::fromLocal8Bit(argv[1]));
    if (!icon.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        icon.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        if (size <= 0 || !image.save(QString::fromLocal8Bit(argv[i + 1]), "PNG")) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
