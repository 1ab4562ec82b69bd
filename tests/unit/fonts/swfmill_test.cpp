// The font movie compiler as the program runs it: its output read back by the
// test's own reader and compared with FreeType's view of the same font.
#include "fonts/movies/font_movie_descriptions.h"
#include "tests/support/test_files.h"
#include "tests/unit/fonts/movie_reader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using movie_reader::Font;
using movie_reader::Movie;
using movie_reader::OutlinePoint;

const QString kCompiler = QStringLiteral(VM_PROGRAM_DIR "/swfmill");
const std::string kLato = VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf";

struct CompilerRun {
    int exitCode = -1;
    QByteArray errors;
};

CompilerRun compile(const QString& in, const QString& out, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(kCompiler, {QStringLiteral("simple"), in, out});
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError()};
}

using vm::test::writeFile;

std::vector<std::uint8_t> readBytes(const QString& path) {
    const QByteArray data = vm::test::readFile(path);
    return {data.begin(), data.end()};
}

QByteArray references(const std::vector<char32_t>& codes) {
    QByteArray text;
    for (char32_t code : codes) text += "&#" + QByteArray::number(static_cast<uint>(code)) + ";";
    return text;
}

QByteArray libraryDescription(const QByteArray& face, const QByteArray& glyphs, const QByteArray& fontPath) {
    return "<?xml version='1.0' encoding='utf-8'?><movie width='200' height='70' framerate='30'><background color='#ffffff'/>"
           "<frame><library><font name='" + face + "' id='" + face + "' glyphs='" + glyphs + "' import='" + fontPath +
           "'/></library></frame></movie>";
}

QByteArray importDescription(const QByteArray& movie) {
    return "<?xml version='1.0' encoding='utf-8'?><movie width='200' height='70' framerate='30'><background color='#ffffff'/>"
           "<frame><Import url='" + movie + "' file='" + movie + "'></Import></frame></movie>";
}

std::vector<int> tagCodes(const Movie& movie) {
    std::vector<int> codes;
    for (const auto& tag : movie.tags) codes.push_back(tag.code);
    return codes;
}

// FreeType's outline of one character, scaled to the 20480-unit square with y down.
class FreeTypeFont {
public:
    explicit FreeTypeFont(const std::string& path) {
        FT_Init_FreeType(&library_);
        FT_New_Face(library_, path.c_str(), 0, &face_);
    }
    ~FreeTypeFont() {
        if (face_) FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FT_Face face() const { return face_; }
    double scale() const { return 20480.0 / face_->units_per_EM; }

    std::vector<OutlinePoint> outline(char32_t code) {
        points_.clear();
        FT_Load_Char(face_, code, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING);
        static const FT_Outline_Funcs funcs = {
            [](const FT_Vector* to, void* self) { return static_cast<FreeTypeFont*>(self)->add(to, true, true); },
            [](const FT_Vector* to, void* self) { return static_cast<FreeTypeFont*>(self)->add(to, true, false); },
            [](const FT_Vector* control, const FT_Vector* to, void* self) {
                auto* font = static_cast<FreeTypeFont*>(self);
                font->add(control, false, false);
                return font->add(to, true, false);
            },
            nullptr, 0, 0};
        FT_Outline_Decompose(&face_->glyph->outline, &funcs, this);
        return points_;
    }

private:
    int add(const FT_Vector* v, bool onCurve, bool starts) {
        points_.push_back({static_cast<std::int32_t>(std::lround(v->x * scale())),
                           static_cast<std::int32_t>(std::lround(-v->y * scale())), onCurve, starts});
        return 0;
    }
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    std::vector<OutlinePoint> points_;
};

class SwfmillTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::exists(kCompiler)) << "swfmill is not built into the program folder";
        ASSERT_TRUE(folder.isValid());
    }
    QString at(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir folder;
};

TEST_F(SwfmillTest, LibraryMovieHoldsTheFontsOutlinesCodesAndLayout) {
    std::vector<char32_t> wanted;
    for (char32_t c = 126; c >= 32; --c) wanted.push_back(c);  // any order, with a repeat below
    wanted.insert(wanted.end(), {0xe9, 0x104, 0x41, 0x4e00 /* not in the font */});
    writeFile(at("test.xml"), libraryDescription("Lato", references(wanted), kLato.c_str()));
    const CompilerRun run = compile(at("test.xml"), at("Lato.swf"), folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();

    const std::vector<std::uint8_t> bytes = readBytes(at("Lato.swf"));
    Movie movie;
    ASSERT_TRUE(movie_reader::readMovie(bytes, movie));
    EXPECT_GE(movie.version, 8);
    EXPECT_EQ(movie.declaredLength, bytes.size());
    EXPECT_EQ(movie.xMax, 200 * 20);
    EXPECT_EQ(movie.yMax, 70 * 20);
    EXPECT_EQ(movie.frameRate256, 30 * 256);
    EXPECT_EQ(movie.frameCount, 1);
    ASSERT_EQ(tagCodes(movie), (std::vector<int>{69, 9, 75, 56, 1, 0}));
    EXPECT_EQ(movie.tags[1].body, (std::vector<std::uint8_t>{0xff, 0xff, 0xff}));

    Font font;
    ASSERT_TRUE(movie_reader::readDefineFont3(movie.tags[2].body, font));
    EXPECT_EQ(font.bytesLeft, 0u);
    EXPECT_EQ(font.name, "Lato");
    EXPECT_TRUE(font.wideCodes);

    FreeTypeFont reference(kLato);
    ASSERT_NE(reference.face(), nullptr);
    std::set<char32_t> present;
    for (char32_t code : wanted)
        if (FT_Get_Char_Index(reference.face(), code) != 0) present.insert(code);
    EXPECT_EQ(font.codes, std::vector<std::uint16_t>(present.begin(), present.end()));
    ASSERT_EQ(font.glyphs.size(), font.codes.size());
    ASSERT_EQ(font.advances.size(), font.codes.size());

    const auto index = [&](char32_t code) {
        return std::find(font.codes.begin(), font.codes.end(), code) - font.codes.begin();
    };
    for (char32_t code : {U'S', U'A', U'\u0104'}) {
        const std::vector<OutlinePoint> expected = reference.outline(code);
        const std::vector<OutlinePoint>& actual = font.glyphs[index(code)];
        ASSERT_EQ(actual.size(), expected.size()) << "character " << static_cast<std::uint32_t>(code);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(actual[i].x, expected[i].x) << "point " << i << " of " << static_cast<std::uint32_t>(code);
            EXPECT_EQ(actual[i].y, expected[i].y) << "point " << i << " of " << static_cast<std::uint32_t>(code);
            EXPECT_EQ(actual[i].onCurve, expected[i].onCurve) << "point " << i << " of " << static_cast<std::uint32_t>(code);
        }
        EXPECT_EQ(font.advances[index(code)], std::lround(reference.face()->glyph->metrics.horiAdvance * reference.scale()));
    }
    EXPECT_TRUE(font.glyphs[index(U' ')].empty());
    EXPECT_EQ(font.ascent, std::lround(reference.face()->ascender * reference.scale()));
    EXPECT_EQ(font.descent, std::lround(-reference.face()->descender * reference.scale()));

    // Kerning: every pair FreeType knows among these characters, with its value.
    std::size_t expectedPairs = 0;
    for (char32_t left : present) {
        for (char32_t right : present) {
            FT_Vector kern{0, 0};
            FT_Get_Kerning(reference.face(), FT_Get_Char_Index(reference.face(), left),
                           FT_Get_Char_Index(reference.face(), right), FT_KERNING_UNSCALED, &kern);
            if (std::lround(kern.x * reference.scale()) != 0) ++expectedPairs;
            if (left == U'A' && right == U'V') {
                const auto found = std::find_if(font.kerning.begin(), font.kerning.end(),
                                                [](const Font::Kerning& k) { return k.left == 'A' && k.right == 'V'; });
                ASSERT_NE(found, font.kerning.end());
                EXPECT_EQ(found->adjustment, std::lround(kern.x * reference.scale()));
                EXPECT_LT(found->adjustment, 0);
            }
        }
    }
    EXPECT_EQ(font.kerning.size(), expectedPairs);

    const auto exports = movie_reader::readAssets(movie.tags[3].body, 0);
    EXPECT_EQ(exports, (std::vector<std::pair<int, std::string>>{{font.id, "Lato"}}));
}

TEST_F(SwfmillTest, ImportMovieNamesTheLibraryMovieFromTheWorkFolder) {
    // The program runs the compiler in the flash folder with the library's plain name.
    writeFile(at("test.xml"), libraryDescription("Lato &apos;Q&amp;A&apos;", "&#65;&#66;", kLato.c_str()));
    ASSERT_EQ(compile(at("test.xml"), at("Lato.swf"), folder.path()).exitCode, 0);
    writeFile(at("test_lib.xml"), importDescription("Lato.swf"));
    const CompilerRun run = compile(at("test_lib.xml"), at("Lato_lib.swf"), folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();

    Movie movie;
    ASSERT_TRUE(movie_reader::readMovie(readBytes(at("Lato_lib.swf")), movie));
    ASSERT_EQ(tagCodes(movie), (std::vector<int>{69, 9, 71, 1, 0}));
    const std::vector<std::uint8_t>& body = movie.tags[2].body;
    std::size_t at = 0;
    EXPECT_EQ(movie_reader::readString(body, at), "Lato.swf");
    ASSERT_LT(at + 1, body.size());
    EXPECT_EQ(body[at], 1);
    EXPECT_EQ(body[at + 1], 0);
    const auto imported = movie_reader::readAssets(body, at + 2);
    ASSERT_EQ(imported.size(), 1u);
    EXPECT_EQ(imported[0].second, "Lato 'Q&A'");
    EXPECT_EQ(files(), (QStringList{"Lato.swf", "Lato_lib.swf", "test.xml", "test_lib.xml"}));
}

TEST_F(SwfmillTest, IndependentReaderAcceptsBothMovies) {
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import yaswfp")});
    if (!probe.waitForFinished(20000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        GTEST_SKIP() << "python3-yaswfp is not installed";

    std::vector<char32_t> latin;
    for (char32_t c = 32; c < 256; ++c) latin.push_back(c);
    writeFile(at("test.xml"), libraryDescription("Lato", references(latin), kLato.c_str()));
    ASSERT_EQ(compile(at("test.xml"), at("Lato.swf"), folder.path()).exitCode, 0);
    writeFile(at("test_lib.xml"), importDescription("Lato.swf"));
    ASSERT_EQ(compile(at("test_lib.xml"), at("Lato_lib.swf"), folder.path()).exitCode, 0);

    // The reader keeps tags it has no parser for as raw payloads (the asset
    // lists) and marks the ones its parser rejects as failing; none may fail.
    const QString script = QStringLiteral(
        "import sys\n"
        "from yaswfp import swfparser\n"
        "for path in sys.argv[1:]:\n"
        "    movie = swfparser.parsefile(path)\n"
        "    for tag in movie.tags:\n"
        "        if type(tag).__name__ == 'FailingObject': sys.exit('unreadable ' + tag.name)\n"
        "        if tag.name == 'DefineFont3': print(tag.NumGlyphs, tag.FontName, len(tag.FontKerningTable))\n"
        "        if tag.name == 'ImportAssets2': print(tag.raw_payload.split(b'\\0')[0].decode())\n"
        "    print(movie.header.Version, [tag.name for tag in movie.tags])\n");
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, at("Lato.swf"), at("Lato_lib.swf")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    const QString output = QString::fromUtf8(reader.readAllStandardOutput());
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();

    FreeTypeFont reference(kLato);
    int mapped = 0;
    for (char32_t c : latin) mapped += FT_Get_Char_Index(reference.face(), c) != 0;
    EXPECT_TRUE(output.startsWith(QString::number(mapped) + QStringLiteral(" Lato "))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("8 ['FileAttributes', 'SetBackgroundColor', 'DefineFont3', 'ExportAssets', 'ShowFrame']")))
        << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Lato.swf\n8 ['FileAttributes', 'SetBackgroundColor', 'ImportAssets2', 'ShowFrame']")))
        << output.toStdString();
}

TEST_F(SwfmillTest, TheProgramsOwnDescriptionsCompile) {
    const QString face = QStringLiteral("Lato \"Q&A\"");
    const QString movie = vm::fontMovieBaseName(face);
    writeFile(at("test.xml"), vm::fontLibraryDescription(face, QString::fromStdString(kLato)).toUtf8());
    EXPECT_EQ(compile(at("test.xml"), folder.filePath(movie + ".swf"), folder.path()).exitCode, 0);
    writeFile(at("test_lib.xml"), vm::fontImportDescription(face).toUtf8());
    EXPECT_EQ(compile(at("test_lib.xml"), folder.filePath(movie + "_lib.swf"), folder.path()).exitCode, 0);
    Movie library;
    EXPECT_TRUE(movie_reader::readMovie(readBytes(folder.filePath(movie + ".swf")), library));
}

TEST_F(SwfmillTest, BadInputFailsWithOneMessageAndWritesNothing) {
    writeFile(at("not-a-font.ttf"), "this is text, not a font");
    writeFile(at("broken.xml"), "<movie width='200' height='70' framerate='30'><frame>");
    writeFile(at("text-font.xml"), libraryDescription("X", "&#65;", at("not-a-font.ttf").toUtf8()));
    writeFile(at("missing-font.xml"), libraryDescription("X", "&#65;", at("nowhere.ttf").toUtf8()));
    writeFile(at("missing-library.xml"), importDescription("Absent.swf"));
    writeFile(at("no-size.xml"), "<movie framerate='30'><frame/></movie>");
    writeFile(at("kept.swf"), "previous movie");
    const QStringList before = files();

    for (const char* description :
         {"absent.xml", "broken.xml", "text-font.xml", "missing-font.xml", "missing-library.xml", "no-size.xml"}) {
        for (const char* target : {"out.swf", "kept.swf"}) {
            const CompilerRun run = compile(at(description), at(target), folder.path());
            EXPECT_NE(run.exitCode, 0) << description;
            EXPECT_TRUE(run.errors.startsWith("swfmill: ")) << description << ": " << run.errors.toStdString();
            EXPECT_EQ(run.errors.count('\n'), 1) << description;
        }
    }
    // A folder that does not exist cannot take the movie either.
    writeFile(at("good.xml"), libraryDescription("Lato", "&#65;", kLato.c_str()));
    EXPECT_NE(compile(at("good.xml"), at("absent/out.swf"), folder.path()).exitCode, 0);
    EXPECT_EQ(compile(QStringLiteral("good.xml"), QString(), folder.path()).exitCode, 1);
    EXPECT_EQ(compile(QStringLiteral("good.xml"), QStringLiteral("a"), folder.path()).exitCode, 0);  // sanity: the same call works

    QStringList expected = before;
    expected << QStringLiteral("a") << QStringLiteral("good.xml");
    expected.sort();
    EXPECT_EQ(files(), expected);
    EXPECT_EQ(vm::test::readFile(at("kept.swf")), QByteArray("previous movie"));
}

}  // namespace
