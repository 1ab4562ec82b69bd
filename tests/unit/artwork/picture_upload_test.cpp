#include "tests/support/test_pictures.h"
#include "tests/unit/artwork/artwork_fixture.h"

namespace vm::test {
namespace {

const QString typeMessage = QStringLiteral("Only .jpeg, .gif, .jpg or .png files are allowed to upload.");

// A one-pixel GIF: Qt writes no GIF of its own.
const QByteArray gifPicture = QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

QByteArray picture(const char* format) { return encodedPicture(QSize(4, 3), Qt::red, format); }

class PictureUploadTest : public ResourcesFixture {
protected:
    void SetUp() override
    {
        ResourcesFixture::SetUp();
        start();
        host->state.currentProjectFile = QStringLiteral("/logos/open.vmp");
    }

    QString offer(const QString& name, const QByteArray& bytes)
    {
        const QString path = root.path() + QStringLiteral("/pick/") + name;
        writeFile(path, bytes);
        dialogs.fileAnswers.enqueue(path);
        return path;
    }
    void browse() { canvasSays(QStringLiteral("fnbrowseimage"), QString()); }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto& call : dialogs.messageBoxes)
            texts.append(call.text + QStringLiteral(" title=") + call.title);
        return texts;
    }
    QStringList uploaded() const { return QDir(imageFolder()).entryList(QDir::Files | QDir::Hidden); }
};

// The upload tests below name their copies at 5.12.2026 18:27:03.
TEST(PictureUploadNames, TimeStampHasNoPaddingAndOnlyTheLastExtensionCounts)
{
    EXPECT_EQ(PictureUpload::timeStampedName(QDateTime(QDate(2027, 1, 1), QTime(0, 2, 3)), QStringLiteral("a b.gif")),
              QStringLiteral("11202702" "3a b.gif"));
    EXPECT_TRUE(PictureUpload::hasPictureExtension(QStringLiteral("x.tar.jpeg")));
    EXPECT_FALSE(PictureUpload::hasPictureExtension(QStringLiteral("512202618273png")));
}

TEST_F(PictureUploadTest, APictureIsCopiedUnderItsTimeStampedNameAndTheProjectStays)
{
    const QByteArray jpeg = picture("JPEG");
    offer(QStringLiteral("photo.JPG"), jpeg);
    browse();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Select Image"));
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("Pictures (*.jpeg;*.gif;*.jpg;*.png)|*.jpeg;*.gif;*.jpg;*.png"));
    EXPECT_TRUE(dialogs.fileDialogs[0].fileName.isEmpty());
    const QString name = QStringLiteral("512202618273photo.JPG");
    EXPECT_EQ(sentCommands(), QStringList({"resultimage|" + name}));
    EXPECT_EQ(readFile(imageFolder() + name), jpeg);
    EXPECT_EQ(host->state.currentImageName, name);
    EXPECT_EQ(host->state.imageFolder, imageFolder());
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("/logos/open.vmp"));
    EXPECT_TRUE(messages().isEmpty());

    // The same name again within the second is a copy of its own: the first stays.
    const QByteArray gif = gifPicture;
    offer(QStringLiteral("photo.JPG"), gif);
    browse();
    const QString second = QStringLiteral("512202618273photo-2.JPG");
    EXPECT_EQ(sentCommands().last(), "resultimage|" + second);
    EXPECT_EQ(readFile(imageFolder() + name), jpeg);
    EXPECT_EQ(readFile(imageFolder() + second), gif);
    EXPECT_EQ(uploaded(), QStringList({second, name}));

    // PNG content is accepted as well.
    now = now.addSecs(1);
    offer(QStringLiteral("logo.png"), picture("PNG"));
    browse();
    EXPECT_EQ(sentCommands().last(), QStringLiteral("resultimage|512202618274logo.png"));
}

TEST_F(PictureUploadTest, OtherTypesAndOtherContentAreRefusedWithTheTypeMessage)
{
    offer(QStringLiteral("photo.bmp"), picture("BMP"));
    browse();
    // PostScript under a picture's name: the converter would read it as PostScript.
    offer(QStringLiteral("photo.png"), "%!PS-Adobe-3.0\n0 0 moveto showpage\n");
    browse();
    offer(QStringLiteral("empty.gif"), QByteArray());
    browse();
    EXPECT_EQ(messages(), QStringList(3, typeMessage + QStringLiteral(" title=Vantamorph")));
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_TRUE(uploaded().isEmpty());
    EXPECT_TRUE(loggedLabels().isEmpty());
}

TEST_F(PictureUploadTest, AMissingFileOrACancelCopiesNothing)
{
    dialogs.fileAnswers.enqueue(root.path() + QStringLiteral("/gone.png"));
    browse();
    EXPECT_EQ(messages(), QStringList({"File does not exists. title=Vantamorph"}));
    dialogs.fileAnswers.enqueue(root.path() + QStringLiteral("/gone.txt"));
    browse();
    EXPECT_EQ(messages().mid(1), QStringList({"File does not exists. title=Vantamorph", typeMessage + " title=Vantamorph"}));
    dialogs.fileAnswers.enqueue(QStringLiteral("x"));
    browse();
    browse(); // cancelled
    EXPECT_EQ(messages().size(), 3);
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_TRUE(uploaded().isEmpty());
    EXPECT_TRUE(host->state.currentImageName.isEmpty());
}

TEST_F(PictureUploadTest, ARefusedCopyIsToldWithWhereAndGivesTheCanvasNothing)
{
    offer(QStringLiteral("logo.png"), picture("PNG"));
    // The picture folder is a file: nothing can be copied into it, whoever the user is.
    QDir(imageFolder()).removeRecursively();
    writeFile(root.path() + QStringLiteral("/LogoImages"), "not a folder");
    browse();
    EXPECT_TRUE(sentCommands().isEmpty());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().first().contains(root.path() + QStringLiteral("/LogoImages/"))) << messages().first().toStdString();
    EXPECT_TRUE(loggedLabels().isEmpty());
    EXPECT_TRUE(host->state.currentImageName.isEmpty());
}

} // namespace
} // namespace vm::test
