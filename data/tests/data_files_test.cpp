// Checks the program folder that the build lays out in dist/, and the staging
// script that places files there.

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const QString kDist = QStringLiteral(VM_TEST_DIST_DIR);
const QString kProgram = kDist + QStringLiteral("/Vantamorph");

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Loads an XML file; the test fails with pugixml's message if it does not parse.
pugi::xml_document loadXml(const QString& path) {
    pugi::xml_document doc;
    const QByteArray bytes = readAll(path);
    EXPECT_FALSE(bytes.isEmpty()) << path.toStdString() << " is missing or empty";
    const auto result = doc.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()));
    EXPECT_TRUE(result) << path.toStdString() << ": " << result.description() << " at offset " << result.offset;
    return doc;
}

// ---------------------------------------------------------------------------
// Language file

class LanguageFile : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = loadXml(kProgram + "/Xml/english.xml");
        for (pugi::xml_node item : doc_.child("Root").child("LANGUAGEOPTIONS").children("CONVERTERITEM")) {
            texts_[item.attribute("NAME").value()] = item.attribute("VALUE").value();
        }
    }
    pugi::xml_document doc_;
    std::map<std::string, std::string> texts_;
};

// The menus as the main window builds them; a mnemonic must not repeat within one.
const std::vector<std::vector<std::string>> kMenus = {
    {"mnuProject", "mnuEdit", "mnuObject", "mnuPanels", "mnuMHelp"},
    {"mnuNewProject", "mnuNewTemplate", "mnuOpenProject", "mnuSave", "mnuSaveAs", "mnuPublishLogo",
     "mnuBrandPack", "mnuPrintLogo", "mnuRecent", "mnuExit"},
    {"mnuUndo", "mnuCut", "mnuCopy", "mnuPaste", "mnuDelete", "mnuSendToBack", "mnuBringToFront",
     "mnuGroupAll"},
    {"mnuAddText", "mnuAddSymbol", "mnuAddImage", "mnuBondingObjects"},
    {"mnuShowColor", "mnuShowTools", "mnuArrangeAll"},
    {"mnuHelp", "mnuQuick", "mnuVantamorphWeb", "mnuResourceTagline", "mnuAboutUS", "mnuCopyrightInfo"},
};

TEST_F(LanguageFile, MenuMnemonicsAreUsableAndDistinctWithinEachMenu) {
    for (const auto& menu : kMenus) {
        std::map<char, std::string> taken;
        for (const auto& key : menu) {
            const std::string& text = texts_[key];
            const auto at = text.find('&');
            ASSERT_NE(at, std::string::npos) << key << " has no mnemonic";
            ASSERT_LT(at + 1, text.size()) << key << " ends with '&'";
            EXPECT_EQ(text.find('&', at + 1), std::string::npos) << key << " has two mnemonics";
            const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at + 1])));
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(letter))) << key;
            const auto [it, fresh] = taken.emplace(letter, key);
            EXPECT_TRUE(fresh) << key << " and " << it->second << " share the mnemonic '" << letter << "'";
        }
    }
}

// ---------------------------------------------------------------------------
// Placeholder movies

// Reads `count` bits starting at bit `pos`, most significant bit first.
std::uint32_t bitField(const QByteArray& bytes, qsizetype& pos, int count) {
    std::uint32_t raw = 0;
    for (int i = 0; i < count; ++i, ++pos)
        raw = raw << 1 | ((static_cast<std::uint8_t>(bytes.at(pos / 8)) >> (7 - pos % 8)) & 1u);
    return raw;
}

std::int32_t signedBitField(const QByteArray& bytes, qsizetype& pos, int count) {
    const std::uint32_t raw = bitField(bytes, pos, count);
    const bool negative = count > 0 && ((raw >> (count - 1)) & 1u);
    return static_cast<std::int32_t>(negative ? raw - (std::uint32_t{1} << count) : raw);
}

class Movies : public ::testing::TestWithParam<const char*> {};

TEST_P(Movies, AreOneFrameUncompressedMoviesOfTheCanvasSize) {
    const QByteArray bytes = readAll(kDist + "/" + GetParam());
    ASSERT_GE(bytes.size(), 8 + 9 + 4 + 4) << GetParam() << " is missing or too short";
    const auto byte = [&](qsizetype i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes.at(i))); };

    EXPECT_EQ(bytes.left(3), "FWS");
    EXPECT_GE(byte(3), 1u) << "version";
    EXPECT_EQ(byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24, static_cast<std::uint32_t>(bytes.size()))
        << "the header's length is not the file's";

    qsizetype bit = 8 * 8;
    const int nbits = static_cast<int>(bitField(bytes, bit, 5));
    ASSERT_LE(8 * 8 + 5 + 4 * nbits, 8 * (bytes.size() - 8)) << "stage rectangle runs past the header";
    std::vector<std::int32_t> rect;
    for (int i = 0; i < 4; ++i) rect.push_back(signedBitField(bytes, bit, nbits));
    EXPECT_EQ(rect, (std::vector<std::int32_t>{0, 507 * 20, 0, 397 * 20})) << "xmin xmax ymin ymax in twips";

    const qsizetype pos = (bit + 7) / 8;
    ASSERT_EQ(bytes.size() - pos, 8) << "expected frame rate, frame count, ShowFrame and End only";
    EXPECT_EQ(byte(pos) | byte(pos + 1) << 8, 12u * 256) << "12 frames a second, 8.8 fixed point";
    EXPECT_EQ(byte(pos + 2) | byte(pos + 3) << 8, 1u) << "frame count";
    EXPECT_EQ(bytes.mid(pos + 4), QByteArray("\x40\x00\x00\x00", 4)) << "ShowFrame, then End";
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, Movies,
                         ::testing::Values("flash/LogoMain.swf", "flash/DrawBitmap.swf", "Vantamorph/wait.swf"));

// ---------------------------------------------------------------------------
// Recent-file history and the staging script

const QString kSourceHistory = QStringLiteral(VM_TEST_SOURCE_DIR "/App.Config");

// Runs the staging script; a failure it is not expected to have fails the test with its output.
int stage(const QString& mode, const QString& src, const QString& dst, bool mayFail = false) {
    QProcess cmake;
    cmake.setProgram(QStringLiteral(VM_TEST_CMAKE));
    cmake.setArguments({"-DMODE=" + mode, "-DSRC=" + src, "-DDST=" + dst, "-P",
                        QStringLiteral(VM_TEST_STAGE_SCRIPT)});
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start();
    if (!cmake.waitForFinished(60000)) return -1;
    if (cmake.exitCode() != 0 && !mayFail) ADD_FAILURE() << cmake.readAll().toStdString();
    return cmake.exitStatus() == QProcess::NormalExit ? cmake.exitCode() : -1;
}

TEST(History, ShipsFiveEmptySlots) {
    const QByteArray bytes = readAll(kSourceHistory);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
    const pugi::xml_document doc = loadXml(kSourceHistory);
    const pugi::xml_node history = doc.child("configuration").child("LogoHistory");
    ASSERT_TRUE(history);
    std::vector<std::string> entries;
    for (pugi::xml_node path : history.children()) {
        EXPECT_STREQ(path.name(), "FilePath");
        entries.push_back(path.text().get());
    }
    EXPECT_EQ(entries, std::vector<std::string>(5, "Nothing"));
    EXPECT_TRUE(QFileInfo::exists(kProgram + "/App.Config"));
}

TEST(History, StagingNeverOverwritesTheUsersHistory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString dst = dir.filePath("Vantamorph/App.Config");

    ASSERT_EQ(stage("copy-if-absent", kSourceHistory, dst), 0);
    EXPECT_EQ(readAll(dst), readAll(kSourceHistory)) << "a fresh folder gets the shipped file";

    const QByteArray users = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<configuration><LogoHistory>"
                             "<FilePath>/home/me/shop.vmp</FilePath></LogoHistory></configuration>\n";
    {
        QFile file(dst);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(users);
    }
    ASSERT_EQ(stage("copy-if-absent", kSourceHistory, dst), 0);
    EXPECT_EQ(readAll(dst), users) << "a rebuild replaced the user's recent files";

    ASSERT_EQ(stage("copy", kSourceHistory, dst), 0);
    EXPECT_EQ(readAll(dst), readAll(kSourceHistory)) << "plain copy must replace";
    EXPECT_EQ(QDir(dir.filePath("Vantamorph")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"App.Config"})
        << "a staging file was left behind";
}

TEST(Staging, LinkIsRepointedAndAMissingSourceFails) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath("bin/convert");
    ASSERT_EQ(stage("link", "/nonexistent/old-convert", link), 0);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), "/nonexistent/old-convert");
    ASSERT_EQ(stage("link", kSourceHistory, link), 0);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), QFileInfo(kSourceHistory).absoluteFilePath());

    EXPECT_NE(stage("copy", dir.filePath("absent"), dir.filePath("out"), true), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("out")));
}

// ---------------------------------------------------------------------------
// Folders, pictures, converter link

TEST(ProgramFolder, HasTheWorkFoldersAndTheConverterLink) {
    for (const char* folder : {"LogoImages", "datasrc", "Vantamorph/bin/VmEPS", "Vantamorph/Images"})
        EXPECT_TRUE(QFileInfo(kDist + "/" + folder).isDir()) << folder;

    const QFileInfo convert(kProgram + "/bin/convert");
    ASSERT_TRUE(convert.isSymLink());
    EXPECT_EQ(convert.symLinkTarget(), QFileInfo(QStringLiteral(VM_TEST_SYSTEM_CONVERT)).absoluteFilePath());
    if (QFileInfo::exists(QStringLiteral(VM_TEST_SYSTEM_CONVERT))) {
        EXPECT_TRUE(convert.isExecutable());
    }
}

TEST(ProgramFolder, PicturesLoadWithTheirFormatAndSize) {
    struct Picture {
        const char* name;
        QByteArray format;
        QSize size;  // empty: any size
    };
    const std::vector<Picture> pictures = {
        {"Splash.gif", "gif", {480, 300}}, {"ABOUT_LOGO.gif", "gif", {}}, {"COPYRIGHT.gif", "gif", {}},
        {"new.bmp", "bmp", {16, 16}},      {"open.bmp", "bmp", {16, 16}}, {"save.bmp", "bmp", {16, 16}},
        {"cut.bmp", "bmp", {16, 16}},      {"copy.bmp", "bmp", {16, 16}}, {"paste.bmp", "bmp", {16, 16}},
        {"delete.bmp", "bmp", {16, 16}},
    };
    for (const auto& picture : pictures) {
        QImageReader reader(kProgram + "/Images/" + picture.name);
        reader.setDecideFormatFromContent(true);
        const QByteArray format = reader.format();  // decided from the content, before reading
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << picture.name << ": " << reader.errorString().toStdString();
        EXPECT_EQ(format, picture.format) << picture.name;
        if (!picture.size.isEmpty()) {
            EXPECT_EQ(image.size(), picture.size) << picture.name;
        } else {
            EXPECT_GE(image.width(), 200) << picture.name << " is too small to read";
        }
    }
}

// ---------------------------------------------------------------------------
// Help page and desktop entry

TEST(HelpPage, IsSelfContainedAndItsContentsLinksResolve) {
    const pugi::xml_document doc = loadXml(kProgram + "/Vantamorph.html");
    std::set<std::string> ids;
    std::vector<std::string> anchors;
    for (const pugi::xpath_node& node : doc.select_nodes("//*[@id]")) ids.insert(node.node().attribute("id").value());
    for (const pugi::xpath_node& node : doc.select_nodes("//*[@href or @src]")) {
        const std::string ref = node.node().attribute("href") ? node.node().attribute("href").value()
                                                               : node.node().attribute("src").value();
        ASSERT_FALSE(ref.empty());
        EXPECT_EQ(ref[0], '#') << "the page loads or links outside itself: " << ref;
        if (ref[0] == '#') anchors.push_back(ref.substr(1));
    }
    EXPECT_GE(anchors.size(), 5u);
    for (const auto& anchor : anchors) EXPECT_TRUE(ids.count(anchor)) << "#" << anchor << " leads nowhere";

    const std::string style = doc.select_node("//style").node().text().get();
    EXPECT_EQ(style.find("url("), std::string::npos);
    EXPECT_EQ(style.find("@import"), std::string::npos);
}

}  // namespace

int main(int argc, char** argv) {
    // Listing the tests at build time happens without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // image format plugins and the font database need the application
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
