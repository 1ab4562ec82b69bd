// Checks the clip-art library the build ships (generated from the Phosphor
// icon set plus our own symbols) and the tool that stages it without losing
// what the user changed.

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace {

const QString kShipped = QStringLiteral(VM_TEST_SOURCE_DIR "/datasrc");
const QString kStaged = QStringLiteral(VM_TEST_DIST_DIR "/datasrc");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

bool load(pugi::xml_document& document, const QString& path)
{
    const QByteArray bytes = bytesOf(path);
    return document.load_buffer(bytes.constData(), size_t(bytes.size()));
}

QString text(const pugi::xml_node& node) { return QString::fromUtf8(node.child_value()); }

TEST(ClipArtLibrary, EveryListParsesAndEverySymbolExistsAndRendersInOurInk)
{
    pugi::xml_document catalogue;
    ASSERT_TRUE(load(catalogue, kShipped + "/VM_Logos.xml"));
    int symbols = 0;
    QSet<QString> categories;
    QSet<QString> identifiers;
    for (const pugi::xml_node& category : catalogue.document_element().children("Category")) {
        const QString name = QString::fromUtf8(category.first_attribute().value());
        EXPECT_FALSE(categories.contains(name)) << name.toStdString();
        categories.insert(name);
        EXPECT_NE(name.toLower(), QStringLiteral("brands"));
        for (const pugi::xml_node& listNode : category.children()) {
            const QString folder = kShipped + "/ClipArts/" + name + "/";
            pugi::xml_document list;
            ASSERT_TRUE(load(list, folder + text(listNode))) << (folder + text(listNode)).toStdString();
            for (const pugi::xml_node& symbol : list.document_element().children()) {
                const QString id = QString::fromUtf8(symbol.first_child().child_value());
                const QString keywords = QString::fromUtf8(symbol.first_child().next_sibling().child_value());
                EXPECT_FALSE(id.isEmpty());
                EXPECT_FALSE(keywords.isEmpty()) << id.toStdString();
                EXPECT_FALSE(keywords.contains(", ") || keywords.contains(",,")) << id.toStdString();
                EXPECT_FALSE(identifiers.contains(name + '/' + id)) << id.toStdString();
                identifiers.insert(name + '/' + id);
                const QByteArray svg = bytesOf(folder + text(symbol.child("File")));
                ASSERT_FALSE(svg.isEmpty()) << id.toStdString();
                // The renderer recolours a symbol by its black ink.
                EXPECT_TRUE(svg.contains("#000000")) << id.toStdString();
                QSvgRenderer renderer(svg);
                ASSERT_TRUE(renderer.isValid()) << id.toStdString();
                QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                renderer.render(&painter);
                painter.end();
                int inked = 0;
                for (int y = 0; y < 32; ++y)
                    for (int x = 0; x < 32; ++x)
                        inked += qAlpha(image.pixel(x, y)) > 0;
                EXPECT_GT(inked, 0) << id.toStdString() << " draws nothing";
                ++symbols;
            }
        }
    }
    EXPECT_GT(symbols, 1400);
    // Our own symbols stay where the templates find them.
    for (const char* own : {"Geometric/star.svg", "Nature/leaf.svg", "Business/globe.svg", "Abstract/swirl.svg"})
        EXPECT_TRUE(QFileInfo::exists(kShipped + "/ClipArts/" + own)) << own;
    EXPECT_TRUE(identifiers.contains("Weather & Nature/leaf"));
    EXPECT_TRUE(identifiers.contains("Maps & Travel/rocket"));
    EXPECT_TRUE(bytesOf(kShipped + "/ClipArts/Phosphor-LICENSE.txt").contains("MIT License"));
    EXPECT_TRUE(bytesOf(QStringLiteral(VM_TEST_SOURCE_DIR "/../THIRD_PARTY.md")).contains("Phosphor"));
}

TEST(ClipArtLibrary, TheBuildStagesTheWholeLibrary)
{
    QDirIterator files(kShipped, QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (files.hasNext()) {
        const QString relative = QDir(kShipped).relativeFilePath(files.next());
        EXPECT_TRUE(QFileInfo::exists(kStaged + '/' + relative)) << relative.toStdString();
        ++count;
    }
    EXPECT_GT(count, 1400);
}

// The staging tool on a folder of its own.
class DatasrcStaging : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString shipped(const QString& relative) const { return dir.filePath("ship/" + relative); }
    QString staged(const QString& relative) const { return dir.filePath("dist/" + relative); }

    void ship(const char* keywordsOfLeaf, const char* extraCategory = nullptr)
    {
        QByteArray catalogue = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Catalogue>\n"
                               "  <Category name=\"Nature\">\n    <List>Nature.xml</List>\n  </Category>\n";
        if (extraCategory)
            catalogue += QByteArray("  <Category name=\"") + extraCategory + "\">\n    <List>x.xml</List>\n  </Category>\n";
        put(shipped("VM_Logos.xml"), catalogue + "</Catalogue>\n");
        put(shipped("ClipArts/Nature/Nature.xml"),
            QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Symbols>\n"
                       "  <Symbol>\n    <Id>leaf</Id>\n    <Keywords>") + keywordsOfLeaf
                + "</Keywords>\n    <File>leaf.svg</File>\n  </Symbol>\n"
                  "  <Symbol>\n    <Id>sun</Id>\n    <Keywords>sun</Keywords>\n    <File>sun.svg</File>\n  </Symbol>\n"
                  "</Symbols>\n");
        put(shipped("ClipArts/Nature/leaf.svg"), "<svg/>");
    }

    void stage()
    {
        QProcess tool;
        tool.start(QStringLiteral(VM_TEST_DATASRC_STAGER), {dir.filePath("ship"), dir.filePath("dist")});
        ASSERT_TRUE(tool.waitForFinished(60000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

    // "leaf=..." and "sun=..." of the staged list.
    QStringList keywords() const
    {
        pugi::xml_document list;
        EXPECT_TRUE(load(list, staged("ClipArts/Nature/Nature.xml")));
        QStringList found;
        for (const pugi::xml_node& symbol : list.document_element().children())
            found.append(text(symbol.child("Id")) + '=' + text(symbol.child("Keywords")));
        return found;
    }

    void userAdds(const char* id, const char* keyword)
    {
        QByteArray list = bytesOf(staged("ClipArts/Nature/Nature.xml"));
        const QByteArray marker = QByteArray("<Id>") + id + "</Id>\n    <Keywords>";
        const qsizetype end = list.indexOf("</Keywords>", list.indexOf(marker));
        list.insert(end, QByteArray(",") + keyword);
        put(staged("ClipArts/Nature/Nature.xml"), list);
    }

    QTemporaryDir dir;
};

TEST_F(DatasrcStaging, AnUpdateKeepsTheKeywordsTheUserAdded)
{
    ship("leaf,green");
    stage();
    EXPECT_EQ(bytesOf(staged("ClipArts/Nature/Nature.xml")), bytesOf(shipped("ClipArts/Nature/Nature.xml")));
    EXPECT_EQ(bytesOf(staged("ClipArts/Nature/leaf.svg")), QByteArray("<svg/>"));

    // A rebuild leaves the user's keyword alone.
    userAdds("leaf", "mine");
    const QByteArray usersList = bytesOf(staged("ClipArts/Nature/Nature.xml"));
    stage();
    EXPECT_EQ(bytesOf(staged("ClipArts/Nature/Nature.xml")), usersList);

    // An update of the shipped list: its own keywords change, the user's stays.
    ship("leaf,eco");
    stage();
    EXPECT_EQ(keywords(), QStringList({"leaf=leaf,eco,mine", "sun=sun"}));
    stage();
    EXPECT_EQ(keywords(), QStringList({"leaf=leaf,eco,mine", "sun=sun"}));

    // A list the user never touched again simply follows the next update.
    put(staged("ClipArts/Nature/Nature.xml"), bytesOf(shipped("ClipArts/Nature/Nature.xml")));
    ship("leaf,plant");
    stage();
    EXPECT_EQ(keywords(), QStringList({"leaf=leaf,plant", "sun=sun"}));
    EXPECT_EQ(QDir(staged("ClipArts/Nature")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"Nature.xml", "leaf.svg"}))
        << "a staging file was left behind";
}

TEST_F(DatasrcStaging, AChangedCatalogueIsKeptAndGetsNewCategories)
{
    ship("leaf");
    stage();
    const QByteArray users = "<?xml version=\"1.0\"?>\n<Catalogue>\n  <Category name=\"Mine\"><List>m.xml</List></Category>\n"
                             "  <Category name=\"Nature\"><List>Nature.xml</List></Category>\n</Catalogue>\n";
    put(staged("VM_Logos.xml"), users);
    stage();
    EXPECT_EQ(bytesOf(staged("VM_Logos.xml")), users);

    ship("leaf", "Space");
    stage();
    pugi::xml_document catalogue;
    ASSERT_TRUE(load(catalogue, staged("VM_Logos.xml")));
    QStringList names;
    for (const pugi::xml_node& category : catalogue.document_element().children("Category"))
        names.append(QString::fromUtf8(category.first_attribute().value()));
    EXPECT_EQ(names, QStringList({"Mine", "Nature", "Space"}));

    // A list that no longer parses is left for the user to see, not replaced.
    put(staged("ClipArts/Nature/Nature.xml"), "<Symbols><broken>");
    stage();
    EXPECT_EQ(bytesOf(staged("ClipArts/Nature/Nature.xml")), QByteArray("<Symbols><broken>"));
}

} // namespace
