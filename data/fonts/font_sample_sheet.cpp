// Draws a sample sheet of the shipped font families and prints which scripts each covers.
//
//   vm_font_sample_sheet FONTS_FOLDER SHEET.png
//
// One row a family: its name, then a sample with Polish, Greek and Cyrillic letters in the
// regular and the bold face. The table on standard output says per family whether its
// regular face has every letter of each script's sample (pl, el, ru).
#include "canvas/logo/font_coverage.h"
#include "canvas/logo/shipped_fonts.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

struct Script {
    const char* tag;
    QString letters;
};

const Script scripts[] = {
    {"pl", QStringLiteral("ĄąĆćĘęŁłŃńÓóŚśŹźŻż")},
    {"el", QStringLiteral("ΑΒΓΔΩαβγδλωάέ")},
    {"ru", QStringLiteral("АБВГДЖЯабвгджя")},
};

const QString sample = QStringLiteral("Nordic Bakery Ąę Ωλ Жж");

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: vm_font_sample_sheet FONTS_FOLDER SHEET.png\n");
        return 2;
    }
    QStringList families = vm::registerShippedFonts(QString::fromLocal8Bit(argv[1]));
    families.sort(Qt::CaseInsensitive);

    constexpr int rowHeight = 56;
    QImage sheet(1400, rowHeight * int(families.size()) + 16, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < families.size(); ++row) {
        const QString& family = families[row];
        const int baseline = 8 + rowHeight * row + 40;
        QString coverage;
        for (const Script& script : scripts) {
            const bool covered = vm::familyCovers(family, script.letters);
            coverage += QLatin1String(covered ? script.tag : "--") + QLatin1Char(' ');
        }
        std::printf("%-24s %s\n", qPrintable(family), qPrintable(coverage));

        painter.setPen(QColor(0x88, 0x88, 0x88));
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        painter.drawText(10, baseline, family + QLatin1String("  ") + coverage);
        painter.setPen(Qt::black);
        QFont face(family);
        face.setPixelSize(32);
        painter.setFont(face);
        painter.drawText(280, baseline, sample);
        face.setBold(true);
        painter.setFont(face);
        painter.drawText(840, baseline, sample);
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "vm_font_sample_sheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%d families\n", int(families.size()));
    return 0;
}
