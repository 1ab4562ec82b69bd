#include "fonts/movies/font_movie_descriptions.h"

#include <array>

namespace vm {
namespace {

// The Latin Extended letters in the order the canvas's font movies have
// always carried them; the order is part of the description text.
constexpr std::array<int, 115> kExtendedLatin = {
    260, 274, 290, 298, 296, 310, 315, 272, 352, 358, 381, 362, 330, 261, 275, 291, 299, 297, 311, 316,
    273, 353, 359, 382, 8213, 363, 331, 256, 302, 268, 280, 278, 325, 332, 360, 370, 257, 303, 269, 281,
    279, 326, 333, 361, 371, 312, 728, 321, 317, 346, 350, 356, 377, 379, 731, 322, 318, 347, 711, 351,
    357, 378, 733, 380, 340, 258, 313, 262, 282, 270, 323, 327, 336, 344, 366, 368, 354, 341, 259, 314,
    263, 283, 271, 324, 328, 337, 345, 367, 369, 355, 729, 294, 292, 304, 286, 308, 295, 293, 305, 287,
    309, 266, 264, 288, 284, 364, 348, 267, 265, 289, 285, 365, 349, 342, 343};

void appendReference(QString& text, int code) {
    text += QStringLiteral("&#") + QString::number(code) + QLatin1Char(';');
}

void appendRange(QString& text, int first, int last) {
    for (int code = first; code <= last; ++code) appendReference(text, code);
}

const QString kMovieStart = QStringLiteral(
    "<?xml version='1.0' encoding='utf-8'?><movie width='200' height='70' framerate='30'>"
    "<background color='#ffffff'/><frame>");
const QString kMovieEnd = QStringLiteral("</frame></movie>");

} // namespace

QString userFontGlyphs() {
    QString glyphs;
    appendRange(glyphs, 32, 126);
    appendRange(glyphs, 160, 243);
    appendRange(glyphs, 127, 159);
    for (int code : kExtendedLatin) appendReference(glyphs, code);
    appendRange(glyphs, 244, 255);
    return glyphs;
}

QString xmlAttributeText(const QString& text) {
    // Qt's escape covers &, <, > and the double quote; our attributes use single quotes.
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&apos;"));
}

QString fontLibraryDescription(const QString& faceName, const QString& fontPath) {
    const QString face = xmlAttributeText(faceName);
    return kMovieStart + QStringLiteral("<library><font name='") + face + QStringLiteral("' id='") + face +
           QStringLiteral("' glyphs='") + userFontGlyphs() + QStringLiteral("' import='") + xmlAttributeText(fontPath) +
           QStringLiteral("'/></library>") + kMovieEnd;
}

QString fontMovieBaseName(const QString& faceName) {
    // Long names are cut so that the longer "_lib.swf" file still fits a 255-byte file name.
    QString name = faceName.left(120);
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    for (qsizetype i = 0; i < name.size() && name[i] == QLatin1Char('.'); ++i) name[i] = QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("_") : name;
}

QString fontImportDescription(const QString& faceName) {
    const QString movie = xmlAttributeText(fontMovieBaseName(faceName) + QStringLiteral(".swf"));
    return kMovieStart + QStringLiteral("<Import url='") + movie + QStringLiteral("' file='") + movie +
           QStringLiteral("'></Import>") + kMovieEnd;
}

} // namespace vm
