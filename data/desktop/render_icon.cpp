// Draws the application icon at one size for the desktop's icon theme:
//
//   vm_render_icon ICON.svg SIZE OUT.png
//
// Runs on the build machine only. Writes through a temporary name, so a failed
// run leaves no half picture for the install to pick up.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    // Drawing needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("usage: vm_render_icon ICON.svg SIZE OUT.png\n", stderr);
        return 2;
    }
    bool number = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&number);
    if (!number || size < 1 || size > 4096) {
        std::fprintf(stderr, "vm_render_icon: bad size %s\n", argv[2]);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "vm_render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter);
    }
    const QString out = QString::fromLocal8Bit(argv[3]);
    const QString temporary = out + QStringLiteral(".part");
    if (!image.save(temporary, "PNG")) {
        std::fprintf(stderr, "vm_render_icon: cannot write %s\n", qPrintable(temporary));
        return 1;
    }
    QFile::remove(out);
    if (!QFile::rename(temporary, out)) {
        std::fprintf(stderr, "vm_render_icon: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
