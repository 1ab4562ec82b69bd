// The font movie compiler as the program runs it: its movies read back by an
// independent reader (python3-yaswfp) and compared with FreeType's view of the
// same font, and its refusals, damaged fonts among them.
#include "fonts/movies/font_movie_descriptions.h"
#include "tests/support/test_files.h"
#include "tests/unit/fonts/damaged_font.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <set>

namespace vm::test {
namespace {

const QString kLato = QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf");

struct CompilerRun {
    int exitCode = -1;
    QByteArray errors;
};

// Run in the folder, as the program runs it in the flash folder.
CompilerRun compile(const QString& folder, const QString& in, const QString& out)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VM_PROGRAM_DIR "/swfmill"), {QStringLiteral("simple"), in, out});
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError()};
}

QByteArray library(const QByteArray& glyphs, const QString& fontFile)
{
    return "<?xml version='1.0' encoding='utf-8'?><movie width='200' height='70' framerate='30'><frame><library>"
           "<font name='F' id='F' glyphs='" + glyphs + "' import='" + fontFile.toUtf8() + "'/></library></frame></movie>";
}

// Each movie as the reader sees it, as JSON; outlines as points with absolute
// coordinates: [x, y, on the curve, starts a contour].
const char* const kReader = R"(
import json, struct, sys
from yaswfp import swfparser
def text(raw, at):
    end = raw.index(b'\0', at)
    return raw[at:end].decode(), end + 1
def assets(raw, at):
    found = []
    for _ in range(struct.unpack_from('<H', raw, at)[0]):
        name, end = text(raw, at + 4)
        found.append([struct.unpack_from('<H', raw, at + 2)[0], name])
        at = end - 2
    return found
def outline(shape):
    x = y = 0
    points = []
    for r in shape.ShapeRecords:
        kind = type(r).__name__
        if kind == 'StyleChangeRecord' and getattr(r, 'StateMoveTo', 0):
            x, y = r.MoveDeltaX, r.MoveDeltaY
            points.append([x, y, 1, 1])
        elif kind == 'StraightEdgeRecord':
            x, y = x + getattr(r, 'DeltaX', 0), y + getattr(r, 'DeltaY', 0)
            points.append([x, y, 1, 0])
        elif kind == 'CurvedEdgeRecord':
            x, y = x + r.ControlDeltaX, y + r.ControlDeltaY
            points.append([x, y, 0, 0])
            x, y = x + r.AnchorDeltaX, y + r.AnchorDeltaY
            points.append([x, y, 1, 0])
    return points
movies = []
for path in sys.argv[1:]:
    swf = swfparser.parsefile(path)
    h = swf.header
    movie = {'version': h.Version, 'length': h.FileLength, 'frame': list(h.FrameSize), 'rate': h.FrameRate,
             'frames': h.FrameCount, 'tags': [t.name for t in swf.tags]}
    for t in swf.tags:
        if type(t).__name__ == 'FailingObject': sys.exit('unreadable ' + t.name)
        if t.name == 'DefineFont3':
            movie['font'] = {'id': t.FontID, 'name': t.FontName, 'wide': t.FontFlagsWideCodes, 'codes': t.CodeTable,
                             'ascent': t.FontAscent, 'descent': t.FontDecent, 'advances': t.FontAdvanceTable,
                             'outlines': [outline(s) for s in t.GlyphShapeTable],
                             'kerning': [[k['FontKerningCode1'], k['FontKerningCode2'], k['FontKerningAdjustment']]
                                         for k in t.FontKerningTable]}
        if t.name == 'ExportAssets': movie['exported'] = assets(t.raw_payload, 0)
        if t.name == 'ImportAssets2':
            movie['url'], at = text(t.raw_payload, 0)
            movie['imported'] = assets(t.raw_payload, at + 2)
    movies.append(movie)
print(json.dumps(movies))
)";

// FreeType's reading of the font, scaled to the movie's 20480-unit square with y down.
class FreeTypeFont {
public:
    explicit FreeTypeFont(const QString& path)
    {
        FT_Init_FreeType(&library_);
        FT_New_Face(library_, QFile::encodeName(path).constData(), 0, &face_);
    }
    ~FreeTypeFont()
    {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    long scaled(long units) const { return std::lround(units * 20480.0 / face_->units_per_EM); }
    bool has(char32_t code) const { return FT_Get_Char_Index(face_, code) != 0; }
    long kerning(char32_t left, char32_t right) const
    {
        FT_Vector kern{0, 0};
        FT_Get_Kerning(face_, FT_Get_Char_Index(face_, left), FT_Get_Char_Index(face_, right), FT_KERNING_UNSCALED, &kern);
        return scaled(kern.x);
    }
    long advance() const { return scaled(face_->glyph->metrics.horiAdvance); }
    FT_Face face() const { return face_; }

    QJsonArray outline(char32_t code)
    {
        points_ = {};
        FT_Load_Char(face_, code, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING);
        static const FT_Outline_Funcs funcs = {
            [](const FT_Vector* to, void* self) { return static_cast<FreeTypeFont*>(self)->add(to, 1, 1); },
            [](const FT_Vector* to, void* self) { return static_cast<FreeTypeFont*>(self)->add(to, 1, 0); },
            [](const FT_Vector* control, const FT_Vector* to, void* self) {
                static_cast<FreeTypeFont*>(self)->add(control, 0, 0);
                return static_cast<FreeTypeFont*>(self)->add(to, 1, 0);
            },
            nullptr, 0, 0};
        FT_Outline_Decompose(&face_->glyph->outline, &funcs, this);
        return points_;
    }

private:
    int add(const FT_Vector* v, int onCurve, int starts)
    {
        points_.append(QJsonArray{int(scaled(v->x)), int(scaled(-v->y)), onCurve, starts});
        return 0;
    }
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    QJsonArray points_;
};

class SwfmillTest : public ::testing::Test {
protected:
    QString at(const QString& name) const { return folder.filePath(name); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir folder;
};

TEST_F(SwfmillTest, TheProgramsMoviesReadBackAsTheFontFileInAnIndependentReader)
{
    // A face name that needs escaping, in the descriptions the program writes.
    const QString face = QStringLiteral("Lato \"Q&A\"");
    const QString movie = fontMovieBaseName(face);
    writeFile(at(QStringLiteral("test.xml")), fontLibraryDescription(face, kLato).toUtf8());
    const CompilerRun built = compile(folder.path(), QStringLiteral("test.xml"), movie + QStringLiteral(".swf"));
    ASSERT_EQ(built.exitCode, 0) << built.errors.toStdString();
    writeFile(at(QStringLiteral("test_lib.xml")), fontImportDescription(face).toUtf8());
    ASSERT_EQ(compile(folder.path(), QStringLiteral("test_lib.xml"), movie + QStringLiteral("_lib.swf")).exitCode, 0);
    EXPECT_EQ(files(), (QStringList{movie + ".swf", movie + "_lib.swf", "test.xml", "test_lib.xml"}));

    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(kReader), at(movie + ".swf"),
                                                      at(movie + "_lib.swf")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    const QByteArray errors = reader.readAllStandardError();
    if (errors.contains("No module named 'yaswfp'"))
        GTEST_SKIP() << "python3-yaswfp is not installed";
    ASSERT_EQ(reader.exitCode(), 0) << errors.toStdString();
    const QJsonArray movies = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    ASSERT_EQ(movies.size(), 2);
    const QJsonObject fontMovie = movies[0].toObject(), importMovie = movies[1].toObject();
    for (const QJsonObject& read : {fontMovie, importMovie}) {
        EXPECT_GE(read[u"version"].toInt(), 8);
        EXPECT_EQ(read[u"frame"].toArray(), (QJsonArray{0, 200 * 20, 0, 70 * 20}));
        EXPECT_EQ(read[u"rate"].toInt(), 30 * 256);
        EXPECT_EQ(read[u"frames"].toInt(), 1);
    }
    EXPECT_EQ(fontMovie[u"length"].toInt(), QFileInfo(at(movie + ".swf")).size());
    EXPECT_EQ(fontMovie[u"tags"].toArray(),
              (QJsonArray{"FileAttributes", "SetBackgroundColor", "DefineFont3", "ExportAssets", "ShowFrame"}));
    EXPECT_EQ(importMovie[u"tags"].toArray(), (QJsonArray{"FileAttributes", "SetBackgroundColor", "ImportAssets2", "ShowFrame"}));

    // The characters the program asks for that the font has, and nothing else.
    const QJsonObject font = fontMovie[u"font"].toObject();
    EXPECT_EQ(font[u"name"].toString(), face);
    EXPECT_TRUE(font[u"wide"].toInt());
    FreeTypeFont reference(kLato);
    ASSERT_NE(reference.face(), nullptr);
    std::set<char32_t> present;
    for (const QString& glyph : userFontGlyphs().split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (reference.has(glyph.mid(2).toUInt()))
            present.insert(glyph.mid(2).toUInt());
    QJsonArray codes;
    for (char32_t code : present)
        codes.append(int(code));
    ASSERT_EQ(font[u"codes"].toArray(), codes);
    const auto index = [&](char32_t code) { return int(std::distance(present.begin(), present.find(code))); };
    for (char32_t code : {U'S', U'A', U'\u0104'}) {
        EXPECT_EQ(font[u"outlines"].toArray()[index(code)].toArray(), reference.outline(code)) << uint(code);
        EXPECT_EQ(font[u"advances"].toArray()[index(code)].toInt(), reference.advance()) << uint(code);
    }
    EXPECT_TRUE(font[u"outlines"].toArray()[index(U' ')].toArray().isEmpty());
    EXPECT_EQ(font[u"ascent"].toInt(), reference.scaled(reference.face()->ascender));
    EXPECT_EQ(font[u"descent"].toInt(), reference.scaled(-reference.face()->descender));

    // Kerning: every pair FreeType knows among these characters, with its value.
    QJsonArray kerning;
    for (char32_t left : present)
        for (char32_t right : present)
            if (const long adjustment = reference.kerning(left, right))
                kerning.append(QJsonArray{int(left), int(right), int(adjustment)});
    EXPECT_EQ(font[u"kerning"].toArray().size(), kerning.size());
    EXPECT_TRUE(font[u"kerning"].toArray().contains(QJsonArray{int('A'), int('V'), int(reference.kerning('A', 'V'))}));
    EXPECT_LT(reference.kerning('A', 'V'), 0);

    EXPECT_EQ(fontMovie[u"exported"].toArray(), (QJsonArray{QJsonArray{font[u"id"].toInt(), face}}));
    EXPECT_EQ(importMovie[u"url"].toString(), movie + ".swf");
    const QJsonArray imported = importMovie[u"imported"].toArray();
    ASSERT_EQ(imported.size(), 1);
    EXPECT_EQ(imported.first().toArray().last().toString(), face);
}

TEST_F(SwfmillTest, BadInputAndUnreadableGlyphsFailWithOneMessageAndLeaveTheTarget)
{
    const QByteArray lato = readFile(kLato);
    writeFile(at(QStringLiteral("past-the-end.ttf")), withDamagedGlyphs(lato, '\xff'));
    writeFile(at(QStringLiteral("empty.ttf")), withDamagedGlyphs(lato, '\0'));
    writeFile(at(QStringLiteral("not-a-font.ttf")), "this is text, not a font");
    writeFile(at(QStringLiteral("broken.xml")), "<movie width='200' height='70' framerate='30'><frame>");
    writeFile(at(QStringLiteral("no-size.xml")), "<movie framerate='30'><frame/></movie>");
    writeFile(at(QStringLiteral("missing-library.xml")), fontImportDescription(QStringLiteral("Absent")).toUtf8());
    const QList<std::pair<const char*, QString>> fonts = {
        {"past-the-end.ttf", at(QStringLiteral("past-the-end.ttf"))}, {"empty.ttf", at(QStringLiteral("empty.ttf"))},
        {"not-a-font.ttf", at(QStringLiteral("not-a-font.ttf"))},      {"nowhere.ttf", at(QStringLiteral("nowhere.ttf"))}};
    for (const auto& [name, path] : fonts)
        writeFile(at(QString::fromUtf8(name) + ".xml"), library("&#32;ABCabc", path));
    // None of the characters asked for is a failure too.
    writeFile(at(QStringLiteral("no-character.xml")), library("&#19968;&#19969;", kLato));
    writeFile(at(QStringLiteral("kept.swf")), "previous movie");
    const QStringList before = files();

    for (const char* description : {"absent.xml", "broken.xml", "no-size.xml", "missing-library.xml", "past-the-end.ttf.xml",
                                    "empty.ttf.xml", "not-a-font.ttf.xml", "nowhere.ttf.xml", "no-character.xml"}) {
        for (const char* target : {"out.swf", "kept.swf"}) {
            const CompilerRun run = compile(folder.path(), QString::fromUtf8(description), QString::fromUtf8(target));
            EXPECT_EQ(run.exitCode, 1) << description;
            EXPECT_TRUE(run.errors.startsWith("swfmill: ")) << description << ": " << run.errors.toStdString();
            EXPECT_EQ(run.errors.count('\n'), 1) << description;
        }
    }
    EXPECT_TRUE(compile(folder.path(), "past-the-end.ttf.xml", "out.swf").errors.contains("past-the-end.ttf"));
    // A target folder that does not exist, or none at all, cannot take the movie either.
    writeFile(at(QStringLiteral("good.xml")), library("A&#19968;", kLato)); // some characters missing: a movie
    EXPECT_NE(compile(folder.path(), QStringLiteral("good.xml"), QStringLiteral("absent/out.swf")).exitCode, 0);
    EXPECT_EQ(compile(folder.path(), QStringLiteral("good.xml"), QString()).exitCode, 1);
    EXPECT_EQ(compile(folder.path(), QStringLiteral("good.xml"), QStringLiteral("a")).exitCode, 0);
    EXPECT_TRUE(readFile(at(QStringLiteral("a"))).startsWith("FWS"));

    QStringList expected = before + QStringList{QStringLiteral("a"), QStringLiteral("good.xml")};
    expected.sort();
    EXPECT_EQ(files(), expected) << "no movie, no unfinished copy";
    EXPECT_EQ(readFile(at(QStringLiteral("kept.swf"))), QByteArray("previous movie"));
}

} // namespace
} // namespace vm::test
