// The texts the program writes for the font compiler: the glyph list, and names
// that would break the two movie descriptions (which the compiler's test compiles).
#include "fonts/movies/font_movie_descriptions.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <set>

namespace {

std::vector<int> referencedCodes(const QString& glyphs) {
    std::vector<int> codes;
    const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
    qsizetype consumed = 0;
    for (auto it = reference.globalMatch(glyphs); it.hasNext();) {
        const auto match = it.next();
        EXPECT_EQ(match.capturedStart(), consumed) << "text between references";
        consumed = match.capturedEnd();
        codes.push_back(match.captured(1).toInt());
    }
    EXPECT_EQ(consumed, glyphs.size());
    return codes;
}

QXmlStreamAttributes firstElement(const QString& xml, const QString& name) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == name) return reader.attributes();
    }
    ADD_FAILURE() << "no <" << name.toStdString() << "> in " << xml.left(200).toStdString() << ": "
                  << reader.errorString().toStdString();
    return {};
}

TEST(FontMovieDescriptions, GlyphListHasTheCanvasCharactersInItsOrder) {
    const QString glyphs = vm::userFontGlyphs();
    EXPECT_TRUE(glyphs.startsWith(QStringLiteral("&#32;&#33;")));
    const std::vector<int> codes = referencedCodes(glyphs);
    ASSERT_EQ(codes.size(), 339u);
    EXPECT_EQ(std::set<int>(codes.begin(), codes.end()).size(), 339u) << "a character twice";
}

TEST(FontMovieDescriptions, HostileNamesStayWellFormedAndReadBackUnchanged) {
    for (const QString& face : {QStringLiteral("Bob's \"Fish\" <And> Chips"), QStringLiteral("A&B"),
                                QStringLiteral("'/><x a='"), QStringLiteral("Émigré Ünicode")}) {
        const QString path = QStringLiteral("/fonts/it's & <odd>.ttf");
        const QXmlStreamAttributes font = firstElement(vm::fontLibraryDescription(face, path), QStringLiteral("font"));
        EXPECT_EQ(font.value(QStringLiteral("name")).toString(), face);
        EXPECT_EQ(font.value(QStringLiteral("id")).toString(), face);
        EXPECT_EQ(font.value(QStringLiteral("import")).toString(), path);
        EXPECT_EQ(font.value(QStringLiteral("glyphs")).size(), 339) << "references resolve to characters";
        const QXmlStreamAttributes import = firstElement(vm::fontImportDescription(face), QStringLiteral("Import"));
        const QString movie = vm::fontMovieBaseName(face) + QStringLiteral(".swf");
        EXPECT_EQ(import.value(QStringLiteral("url")).toString(), movie);
        EXPECT_EQ(import.value(QStringLiteral("file")).toString(), movie);
    }
}

TEST(FontMovieDescriptions, MovieNamesStayInsideTheFlashFolder) {
    for (const QString& ordinary : {QStringLiteral("Arial Black"), QStringLiteral("Émigré Ünicode"), QStringLiteral("Bob's Font 2.0"),
                                    QStringLiteral("Q And A")})
        EXPECT_EQ(vm::fontMovieBaseName(ordinary), ordinary);
    for (const QString& hostile : {QStringLiteral("../../x"), QStringLiteral(".."), QStringLiteral("..\\..\\x"),
                                   QStringLiteral("a\"b"), QStringLiteral("/etc/passwd"), QStringLiteral(".hidden"),
                                   QStringLiteral("tab\there"), QString(), QString(400, QLatin1Char('W'))}) {
        const QString name = vm::fontMovieBaseName(hostile);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
        EXPECT_FALSE(name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('"')) ||
                     name.contains(QLatin1Char('\t'))) << name.toStdString();
        EXPECT_LE((name + QStringLiteral("_lib.swf")).toUtf8().size(), 255);
    }
    EXPECT_EQ(vm::fontMovieBaseName(QStringLiteral("a\"b")), QStringLiteral("a_b"));
}

} // namespace
