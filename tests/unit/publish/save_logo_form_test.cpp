#include "tests/unit/publish/publish_fixture.h"

namespace vm::test {
namespace {

using PublishDialogTest = PublishFixture;

TEST_F(PublishDialogTest, OptionsPreselectAndSwitchSizes)
{
    SaveLogoForm& form = dialog();
    form.Form_Load();
    EXPECT_EQ(form.format(), SaveLogoForm::Jpg);
    EXPECT_EQ(form.caption(QStringLiteral("cmdPublish")), QStringLiteral("Publish"));

    form.click(QStringLiteral("lblQuarter"));
    EXPECT_EQ(form.size(), PublishSize::Quarter);
    form.click(QStringLiteral("optExtension5"));
    EXPECT_FALSE(form.smallSizesEnabled());
    EXPECT_EQ(form.size(), PublishSize::Full);
    form.click(QStringLiteral("lblThumbnail")); // disabled: nothing happens
    EXPECT_EQ(form.size(), PublishSize::Full);
    form.click(QStringLiteral("optExtension0"));
    EXPECT_TRUE(form.smallSizesEnabled());
    EXPECT_EQ(form.size(), PublishSize::Full);

    form.click(QStringLiteral("transparent6"));
    EXPECT_EQ(form.format(), SaveLogoForm::TransparentPng);
    EXPECT_FALSE(form.smallSizesEnabled());
    form.click(QStringLiteral("optExtension3"));
    EXPECT_EQ(form.format(), SaveLogoForm::Gif);

    form.RequestedFormat = QStringLiteral("png"); // a transparent PNG was the last publish
    form.Form_Load();
    EXPECT_EQ(form.format(), SaveLogoForm::Png);
}

TEST_F(PublishDialogTest, PublishNamesTheFilesAsksTheCanvasAndWaits)
{
    SaveLogoForm& form = dialog();
    form.Form_Load();
    form.click(QStringLiteral("optExtension4")); // TIFF
    const QString leftover = programFolder + QStringLiteral("/bin/VmEPS/logo.eps");
    writeFile(leftover, "old");
    QFile::setPermissions(leftover, QFileDevice::ReadOwner);
    writeFile(out(QStringLiteral("logo.tiff")), "old picture");
    dialogs.fileAnswers.enqueue(out(QStringLiteral("logo.jpg")));
    forms.clicks = {QStringLiteral("imgOK")}; // yes, replace it

    EXPECT_TRUE(form.imgSave_Click());
    EXPECT_EQ(form.TargetFolder, root.path() + QStringLiteral("/out/"));
    EXPECT_EQ(form.TargetFileName, QStringLiteral("logo.tiff"));
    EXPECT_EQ(form.PrintedEpsName, QStringLiteral("logo.eps"));
    EXPECT_EQ(form.RequestedFormat, QStringLiteral("tiff"));
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("logo.tiff"))));
    EXPECT_EQ(host->state.publishTarget, out(QStringLiteral("logo.tiff")));
    EXPECT_EQ(trace.matching(QStringLiteral("toFlash")), QStringList{QStringLiteral("toFlash \"tiff\" \"True\" -> true")});
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Vantamorph"));
    ASSERT_FALSE(dialogs.fileDialogs.isEmpty());
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Save File As"));
    EXPECT_TRUE(forms.shownForms().contains(QStringLiteral("frmWait")));
    EXPECT_FALSE(form.automation().isEnabled()); // the dialog unloaded after the wait
}

TEST_F(PublishDialogTest, EachFormatSendsItsCommand)
{
    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("optExtension0"), QStringLiteral("png")},      {QStringLiteral("optExtension1"), QStringLiteral("doPublish")},
        {QStringLiteral("optExtension2"), QStringLiteral("jpg")},      {QStringLiteral("optExtension3"), QStringLiteral("gif")},
        {QStringLiteral("optExtension5"), QStringLiteral("dovector")}, {QStringLiteral("transparent6"), QStringLiteral("transparentpng")},
        {QStringLiteral("transparent7"), QStringLiteral("transparentgif")},
    };
    for (const auto& [option, command] : expected) {
        dialog().Form_Load();
        dialog().click(option);
        dialogs.fileAnswers.enqueue(out(QStringLiteral("a.b.c")));
        trace.lines.clear();
        dialog().imgSave_Click();
        EXPECT_EQ(trace.matching(QStringLiteral("toFlash")),
                  QStringList{QStringLiteral("toFlash \"%1\" \"True\" -> true").arg(command)})
            << option.toStdString();
    }
    EXPECT_EQ(dialog().TargetFileName, QStringLiteral("a.b.gif"));
}

TEST_F(PublishDialogTest, StopsWithTheRightMessageAndPutsThePrinterBack)
{
    SaveLogoForm& form = dialog();
    form.Form_Load();
    // Cancelled file dialog: nothing sent, the user's printer is back.
    EXPECT_FALSE(form.imgSave_Click());
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Office"));

    // A folder that cannot be written.
    dialogs.fileAnswers.enqueue(root.path() + QStringLiteral("/missing/logo.png"));
    EXPECT_FALSE(form.imgSave_Click());
    EXPECT_TRUE(messageBoxTexts().contains(QStringLiteral("You do not have permission to save in this directory.")));

    // A user's own temp.txt survives the write probe.
    writeFile(out(QStringLiteral("temp.txt")), "mine");
    dialogs.fileAnswers.enqueue(out(QStringLiteral("logo.png")));
    EXPECT_TRUE(form.imgSave_Click());
    EXPECT_EQ(readFile(out(QStringLiteral("temp.txt"))), QByteArray("mine"));

    // No print-to-file printer and no right to install one.
    spooler.setDefaultPrinter(QStringLiteral("Office"));
    FileSpooler bare(root.path() + QStringLiteral("/spool2"), {});
    bare.addPrinter(QStringLiteral("Office"), QStringLiteral("PDF"), QStringLiteral("LPT1:"));
    PrintServices noPrinter{converter, bare, locale, osVersion};
    Publishing other(*host, noPrinter);
    other.dialog().Form_Load();
    host->state.keepTempFolder = false;
    EXPECT_FALSE(other.dialog().imgSave_Click());
    EXPECT_EQ(messageBoxTexts().last(), QStringLiteral("Printer not found. You do not have permission to install printer."));

    QDir(programFolder + QStringLiteral("/bin")).removeRecursively();
    EXPECT_FALSE(form.imgSave_Click());
    EXPECT_EQ(forms.shown.last().message, QStringLiteral("Unable to Publish. Some files are missing. Please install the software again"));
}

TEST_F(PublishDialogTest, CreateImageCropsAndResizes)
{
    SaveLogoForm& form = dialog();
    const auto publishAndConvert = [&](const QString& size, const QString& sizeArgument) {
        form.Form_Load();
        form.click(QStringLiteral("optExtension0"));
        form.click(size);
        dialogs.fileAnswers.enqueue(out(QStringLiteral("logo.png")));
        forms.clicks = {QStringLiteral("imgOK")}; // replace the earlier one
        form.imgSave_Click();
        form.SizeArgument = sizeArgument;
        form.CreateImage();
    };
    host->state.keepTempFolder = true;
    publishAndConvert(QStringLiteral("optQuarter"), QStringLiteral("506\u00e6398"));
    ASSERT_EQ(converter.commandLines.size(), 1);
    EXPECT_EQ(converter.commandLines[0],
              programFolder + QStringLiteral("/bin/convert -quality 100 -crop 506x398+34+45 \"") + programFolder
                  + QStringLiteral("/bin/VmEPS/logo.eps\" \"") + out(QStringLiteral("logo.png")) + QStringLiteral("\" "));
    // "-resize 126x100" keeps the picture's proportions inside that box.
    EXPECT_EQ(QImage(out(QStringLiteral("logo.png"))).size(), QSize(126, 99));
    EXPECT_EQ(forms.shown.last().message, QStringLiteral("Your logo has been published."));

    osVersion.info.platformId = 2;
    osVersion.info.majorVersion = 6;
    osVersion.info.minorVersion = 1;
    publishAndConvert(QStringLiteral("optThumbnail"), QStringLiteral("640"));
    EXPECT_TRUE(converter.commandLines.last().contains(QStringLiteral("-crop 507x397+33+68 ")));
    EXPECT_EQ(QImage(out(QStringLiteral("logo.png"))).size(), QSize(100, 78));

    // A converter that writes nothing: no success, and the user's printer is back.
    converter.produce = false;
    publishAndConvert(QStringLiteral("optFullSize"), QString());
    EXPECT_TRUE(converter.commandLines.last().endsWith(QStringLiteral("logo.png\"")));
    EXPECT_EQ(messageBoxTexts().last(), QStringLiteral("LogoPublish Failed."));
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Office"));
    EXPECT_FALSE(form.publishRun().waiting());
}

} // namespace
} // namespace vm::test
