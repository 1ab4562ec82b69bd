#include "tests/unit/artwork/artwork_fixture.h"

#include <pugixml.hpp>

namespace vm::test {
namespace {

const QString added = QStringLiteral("Keyword has been added successfully. owner=frmMain");

class ClipArtKeywordsTest : public ResourcesFixture {
protected:
    void SetUp() override
    {
        ResourcesFixture::SetUp();
        writeFile(datasrc(QStringLiteral("VM_Logos.xml")),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Catalogue>\n"
                  "  <Category name=\"Nature\"><List>Nature.xml</List><List>More.xml</List><List>Other.xml</List></Category>\n"
                  "  <Category name=\"Weather &amp; Sky\"><List>sky.xml</List></Category>\n"
                  "  <Group name=\"Nature\"><List>Ignored.xml</List></Group>\n"
                  "</Catalogue>\n");
        writeList(QStringLiteral("Nature/Nature.xml"), {{"leaf", ""}, {"sun", "red,blue"}, {"leaf", "second"}});
        writeList(QStringLiteral("Nature/More.xml"), {{"tree", "forest"}, {"leaf", "green"}});
        writeList(QStringLiteral("Nature/Other.xml"), {{"drop", "water"}});
        writeList(QStringLiteral("Weather & Sky/sky.xml"), {{"cloud", "rain"}});
        start();
    }

    void writeList(const QString& relative, const QList<std::pair<const char*, const char*>>& symbols)
    {
        QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Symbols>\n";
        for (const auto& [id, keywords] : symbols)
            text += QByteArray("  <Symbol><Id>") + id + "</Id><Keywords>" + keywords + "</Keywords><File>" + id + ".svg</File></Symbol>\n";
        writeFile(datasrc(QStringLiteral("ClipArts/") + relative), text + "</Symbols>\n");
    }

    // The keyword lists of a list file, in order, as "id=keywords".
    QStringList keywords(const QString& relative) const
    {
        pugi::xml_document list;
        EXPECT_TRUE(list.load_file(datasrc(QStringLiteral("ClipArts/") + relative).toUtf8().constData())) << relative.toStdString();
        QStringList found;
        for (const pugi::xml_node& symbol : list.document_element().children())
            found.append(QString::fromUtf8(symbol.child_value("Id")) + QLatin1Char('=') + QString::fromUtf8(symbol.child_value("Keywords")));
        return found;
    }

    void add(const QString& category, const QString& id, const QString& keyword)
    {
        canvasSays(QStringLiteral("add keyword"), category + ae + id + ae + keyword);
    }
};

TEST_F(ClipArtKeywordsTest, KeywordsAreAppendedToTheFirstSymbolOfEachListWithoutDuplicateChecks)
{
    add(QStringLiteral("Nature"), QStringLiteral("sun"), QStringLiteral("green"));
    add(QStringLiteral("Nature"), QStringLiteral("sun"), QStringLiteral("red"));
    EXPECT_EQ(keywords(QStringLiteral("Nature/Nature.xml")),
              QStringList({"leaf=", "sun=red,blue,green,red", "leaf=second"}));
    const QString path = datasrc(QStringLiteral("ClipArts/Nature/Nature.xml"));
    EXPECT_EQ(sentCommands(), QStringList({"result keyword|" + path, "result keyword|" + path}));
    EXPECT_EQ(alerts(), QStringList({added, added}));

    // An empty list takes the keyword alone; a keyword may itself hold the separator.
    add(QStringLiteral("Nature"), QStringLiteral("leaf"), QStringLiteral("eco") + ae + QStringLiteral("more"));
    EXPECT_EQ(keywords(QStringLiteral("Nature/Nature.xml")).value(0), QStringLiteral("leaf=eco") + ae + QStringLiteral("more"));
    EXPECT_EQ(keywords(QStringLiteral("Nature/Nature.xml")).value(2), QStringLiteral("leaf=second"));
    // The other list of the category holds the symbol too and gets the keyword as well, with a message of its own.
    EXPECT_EQ(keywords(QStringLiteral("Nature/More.xml")), QStringList({"tree=forest", "leaf=green,eco" + ae + "more"}));
    EXPECT_EQ(sentCommands().mid(2), QStringList({"result keyword|" + path,
                                                 "result keyword|" + datasrc(QStringLiteral("ClipArts/Nature/More.xml"))}));
    EXPECT_EQ(alerts().size(), 4);
    EXPECT_TRUE(loggedLabels().isEmpty());

    // Names with blanks and markup characters work as any other.
    add(QStringLiteral("Weather & Sky"), QStringLiteral("cloud"), QStringLiteral("storm"));
    EXPECT_EQ(keywords(QStringLiteral("Weather & Sky/sky.xml")), QStringList({"cloud=rain,storm"}));
}

TEST_F(ClipArtKeywordsTest, UnknownOrDifferentlyCasedNamesChangeNothing)
{
    const QByteArray before = readFile(datasrc(QStringLiteral("ClipArts/Nature/Nature.xml")));
    add(QStringLiteral("nature"), QStringLiteral("sun"), QStringLiteral("x"));
    add(QStringLiteral("Nature"), QStringLiteral("Sun"), QStringLiteral("x"));
    add(QStringLiteral("Business"), QStringLiteral("sun"), QStringLiteral("x"));
    add(QStringLiteral("Nature"), QStringLiteral("moon"), QStringLiteral("x"));
    canvasSays(QStringLiteral("add keyword"), QStringLiteral("Nature"));
    EXPECT_EQ(readFile(datasrc(QStringLiteral("ClipArts/Nature/Nature.xml"))), before);
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_TRUE(alerts().isEmpty());
    EXPECT_TRUE(loggedLabels().isEmpty());
}

TEST_F(ClipArtKeywordsTest, MissingFilesEndTheRequestWithALogLineAndNothingSent)
{
    QFile::remove(datasrc(QStringLiteral("ClipArts/Nature/More.xml")));
    add(QStringLiteral("Nature"), QStringLiteral("leaf"), QStringLiteral("eco"));
    // The first list was done before the missing second one ended the request.
    EXPECT_EQ(keywords(QStringLiteral("Nature/Nature.xml")).value(0), QStringLiteral("leaf=eco"));
    EXPECT_EQ(sentCommands().size(), 1);
    EXPECT_EQ(loggedLabels(), QStringList({"log \"frmMain\\\\skwFlash\""}));

    QFile::remove(datasrc(QStringLiteral("VM_Logos.xml")));
    add(QStringLiteral("Nature"), QStringLiteral("sun"), QStringLiteral("eco"));
    EXPECT_EQ(sentCommands().size(), 1);
    EXPECT_EQ(loggedLabels().size(), 2);
    EXPECT_TRUE(errorLog().contains("frmMain\\skwFlash"));
}

TEST_F(ClipArtKeywordsTest, AReadOnlyListIsLeftWholeAndTheFailureLogged)
{
    const QString path = datasrc(QStringLiteral("ClipArts/Weather & Sky/sky.xml"));
    const QByteArray before = readFile(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    add(QStringLiteral("Weather & Sky"), QStringLiteral("cloud"), QStringLiteral("storm"));
    EXPECT_EQ(readFile(path), before);
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_EQ(loggedLabels().size(), 1);
    // No temporary file is left beside the list.
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList({"sky.xml"}));
}

} // namespace
} // namespace vm::test
