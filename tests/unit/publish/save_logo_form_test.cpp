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
    Publishing other(seams().publish(), noPrinter);
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

namespace vm::test {
namespace {

// SVG, PDF and pictures of the user's own size come straight from the canvas's
// logo through its renderer: no printer is chosen and the canvas is not asked.
TEST_F(PublishDialogTest, VectorFilesAndCustomSizesAreDrawnStraightFromTheLogo)
{
    LogoDocument logo;
    logo.stageSize = QSize(400, 200);
    logo.background = Qt::yellow;
    LogoElement text;
    text.text = QStringLiteral("Acme");
    text.position = QPointF(20, 20);
    text.size = QSizeF(200, 60);
    logo.elements = {text};
    const LogoRenderer renderer;
    SaveLogoForm& form = dialog();
    form.direct().setCurrentLogo([&] { return CanvasLogo{&logo, &renderer}; });
    form.Form_Load();

    form.click(QStringLiteral("optExtension8"));
    EXPECT_EQ(form.format(), SaveLogoForm::Svg);
    EXPECT_FALSE(form.smallSizesEnabled());
    form.click(QStringLiteral("optCustomSize")); // pictures only
    EXPECT_FALSE(form.customSize());
    EXPECT_EQ(form.resultSizeText(), QStringLiteral("400 x 200 points"));
    dialogs.fileAnswers.enqueue(out(QStringLiteral("logo.png")));
    EXPECT_TRUE(form.imgSave_Click());
    QFile svg(out(QStringLiteral("logo.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<text"));
    EXPECT_EQ(dialogs.fileDialogs.last().filter, QStringLiteral("SVG (*.svg)|*.svg"));

    form.Form_Load();
    form.click(QStringLiteral("optExtension9"));
    dialogs.fileAnswers.enqueue(out(QStringLiteral("logo")));
    EXPECT_TRUE(form.imgSave_Click());
    QFile pdf(out(QStringLiteral("logo.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    form.Form_Load();
    form.click(QStringLiteral("optExtension0"));
    form.click(QStringLiteral("txtWidth=1000"));
    EXPECT_TRUE(form.customSize());
    EXPECT_EQ(form.resultSize(), QSize(1000, 500));
    form.click(QStringLiteral("txtHeight=300")); // both: the largest inside the box
    EXPECT_EQ(form.resultSizeText(), QStringLiteral("600 x 300 pixels"));
    dialogs.fileAnswers.enqueue(out(QStringLiteral("big.png")));
    EXPECT_TRUE(form.imgSave_Click());
    EXPECT_EQ(QImage(out(QStringLiteral("big.png"))).size(), QSize(600, 300));
    // A listed size goes back to the canvas's route.
    form.click(QStringLiteral("lblQuarter"));
    EXPECT_FALSE(form.customSize());
    EXPECT_EQ(form.resultSize(), QSize(100, 50));

    EXPECT_TRUE(trace.matching(QStringLiteral("toFlash")).isEmpty()) << "the canvas was not asked";
    EXPECT_EQ(defaultPrinter(), QStringLiteral("Office")) << "the printer was not switched";
    EXPECT_EQ(dialogs.messageBoxes.size(), 0);
    EXPECT_EQ(forms.shownForms().count(QStringLiteral("frmAlert")), 3) << "each publish says it is done";
}

TEST_F(PublishDialogTest, StraightRoutesRefuseWithoutALogoOrWithTooLargeASize)
{
    SaveLogoForm& form = dialog();
    form.Form_Load();
    form.click(QStringLiteral("optExtension9"));
    EXPECT_FALSE(form.imgSave_Click());
    ASSERT_EQ(dialogs.messageBoxes.size(), 1);
    EXPECT_EQ(dialogs.messageBoxes[0].text, QStringLiteral("There is no logo to publish."));
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty());
    EXPECT_TRUE(form.resultSizeText().isEmpty());

    LogoDocument logo;
    logo.stageSize = QSize(400, 200);
    const LogoRenderer renderer;
    form.direct().setCurrentLogo([&] { return CanvasLogo{&logo, &renderer}; });
    form.click(QStringLiteral("optExtension2"));
    form.click(QStringLiteral("txtHeight=15000")); // 30000 wide
    EXPECT_FALSE(form.imgSave_Click());
    EXPECT_TRUE(dialogs.messageBoxes.last().text.contains(QStringLiteral("30000x15000")));
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty()) << "refused before asking for a file";
}

} // namespace
} // namespace vm::test
