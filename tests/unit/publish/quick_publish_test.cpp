#include "tests/unit/publish/publish_fixture.h"

namespace vm::test {
namespace {

class QuickPublishTest : public PublishFixture {
protected:
    // Publishes through the menu item as far as the canvas: the wait window is answered at once.
    void startQuickPublish(const QString& key, const QString& file)
    {
        dialogs.fileAnswers.enqueue(out(file));
        host->menuItems.ItemKey(0); // the bar is not needed: the route runs directly
        host->mainMenu.route(key);
    }
    QString sample() const { return programFolder + QStringLiteral("/bin/sample.png"); }
};

TEST_F(QuickPublishTest, MenuItemsPresetTheDialogAndPublish)
{
    startQuickPublish(QStringLiteral("mnuPublishGIF25%"), QStringLiteral("logo"));
    EXPECT_EQ(dialog().format(), SaveLogoForm::Gif);
    EXPECT_EQ(dialog().size(), PublishSize::Quarter);
    EXPECT_EQ(trace.matching(QStringLiteral("toFlash")), QStringList{QStringLiteral("toFlash \"gif\" \"True\" -> true")});
    EXPECT_EQ(host->state.publishTarget, out(QStringLiteral("logo.gif")));

    startQuickPublish(QStringLiteral("mnuPublishtransparentPNG"), QStringLiteral("clear"));
    EXPECT_EQ(dialog().format(), SaveLogoForm::TransparentPng);
    EXPECT_EQ(dialog().size(), PublishSize::Full);
    EXPECT_EQ(host->state.publishTarget, out(QStringLiteral("clear.png")));
}

TEST_F(QuickPublishTest, BitmapPicturesAreWrittenAndConverted)
{
    startQuickPublish(QStringLiteral("mnuPublishGIF25%"), QStringLiteral("logo"));
    converter.commandLines.clear();
    bitmap.raise(QStringLiteral("PublishGIF"), pictureBase64());
    EXPECT_TRUE(QFileInfo::exists(sample()));
    ASSERT_EQ(converter.commandLines.size(), 2);
    const QString convert = programFolder + QStringLiteral("/bin/convert");
    EXPECT_EQ(splitCommandLine(converter.commandLines[0]), (QStringList{convert, sample(), out(QStringLiteral("logo.gif"))}));
    EXPECT_EQ(splitCommandLine(converter.commandLines[1]),
              (QStringList{convert, QStringLiteral("-scale"), QStringLiteral("25%"), sample(), out(QStringLiteral("logo.gif"))}));
    EXPECT_EQ(forms.shown.last().message, QStringLiteral("Your logo has been published."));
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain")); // the quick publish's one alert
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Office"));

    startQuickPublish(QStringLiteral("mnuPublishTIFFThumbnail"), QStringLiteral("logo"));
    converter.commandLines.clear();
    bitmap.raise(QStringLiteral("publishtiff"), pictureBase64());
    ASSERT_EQ(converter.commandLines.size(), 3); // through temp.bmp, then the resize in place
    const QStringList tiff = splitCommandLine(converter.commandLines[1]);
    EXPECT_EQ(tiff.mid(tiff.size() - 2), (QStringList{QStringLiteral("temp.bmp"), out(QStringLiteral("logo.tiff"))}));
    EXPECT_TRUE(splitCommandLine(converter.commandLines[2]).join(u' ').contains(QStringLiteral(" -resize 100X100 ")));
}

TEST_F(QuickPublishTest, TransparentPngIsWrittenAsDelivered)
{
    startQuickPublish(QStringLiteral("mnuPublishtransparentPNG"), QStringLiteral("clear"));
    const QString base64 = pictureBase64(Qt::transparent);
    bitmap.raise(QStringLiteral("publishtransparentpng"), base64);
    EXPECT_EQ(readFile(out(QStringLiteral("clear.png"))), QByteArray::fromBase64(base64.toLatin1()));
    EXPECT_TRUE(converter.commandLines.isEmpty());
}

TEST_F(QuickPublishTest, APictureThatDoesNotDecodeIsNoSuccess)
{
    writeFile(out(QStringLiteral("keep.png")), "the user's picture");
    forms.clicks = {QStringLiteral("imgOK")}; // replace it
    startQuickPublish(QStringLiteral("mnuPublishPNG100%"), QStringLiteral("keep"));
    bitmap.raise(QStringLiteral("publishpng"), QStringLiteral("this is not base64!"));
    EXPECT_NE(forms.shown.last().message, QStringLiteral("Your logo has been published."));
    EXPECT_TRUE(forms.shown.last().message.contains(QStringLiteral("could not be read")));
    EXPECT_TRUE(converter.commandLines.isEmpty());
    EXPECT_EQ(loggedLabels(), QStringList{QStringLiteral("log \"frmMain\\\\ShockwaveFlash1\"")});
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Office"));
}

} // namespace
} // namespace vm::test
