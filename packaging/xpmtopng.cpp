// Build-time tool: turns the window icon into the PNG files the desktop's icon theme wants.
// Larger sizes repeat each pixel, so the drawing keeps its hard edges.

#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: xpmtopng ICON.xpm OUT.png SIZE\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]), "XPM");
    const int size = QString::fromLatin1(argv[3]).toInt();
    if (icon.isNull() || size <= 0 || size % icon.width() != 0 || icon.width() != icon.height()) {
        std::fprintf(stderr, "xpmtopng: cannot make a %s px icon of %s\n", argv[3], argv[1]);
        return 1;
    }
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.convertToFormat(QImage::Format_ARGB32)
             .save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpmtopng: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
