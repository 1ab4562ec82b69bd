#include "brandpack/brand_pack_flow.h"
#include "tests/unit/shell/host_fixture.h"

namespace vm::test {
namespace {

class BrandPackFlowTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        makeHost();
        host->language.LoadLanguage(0);
        logo.stageSize = QSize(300, 100);
        LogoElement text;
        text.text = QStringLiteral("Pack");
        text.position = QPointF(10, 10);
        text.size = QSizeF(120, 50);
        logo.elements = {text};
    }
    QString folder() const { return root.path() + QStringLiteral("/pack"); }
    QStringList written() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden); }

    LogoDocument logo;
    LogoRenderer renderer;
};

TEST_F(BrandPackFlowTest, ProgressWindowWritesFileByFileAndCancelLeavesTheFolderAsItWas)
{
    QDir().mkpath(folder());
    QFile old(folder() + QStringLiteral("/logo.png"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the previous pack's");
    old.close();
    BrandPackForm form(seams().brandPack());
    form.prepare(std::make_unique<BrandPack>(logo, renderer, folder()));
    forms.showModeless(form, nullptr);
    EXPECT_TRUE(form.content().message.startsWith(QStringLiteral("Writing logo.png (1 of 16)")));
    ASSERT_TRUE(runUntil([&] { return form.pack()->stepsDone() >= 3; }));
    form.click(QStringLiteral("cmdCancel"));
    ASSERT_TRUE(runUntil([&] { return !forms.isLoaded(form); }));
    EXPECT_EQ(form.outcome(), BrandPackForm::Outcome::Cancelled);
    EXPECT_LT(form.pack()->stepsDone(), 16);
    EXPECT_EQ(written(), QStringList{QStringLiteral("logo.png")});
    EXPECT_EQ(test::readFile(old.fileName()), "the previous pack's");
    EXPECT_TRUE(QDir(root.path()).entryList(QDir::Hidden | QDir::AllEntries).filter(QStringLiteral(".pack.")).isEmpty())
        << "no unfinished copy beside it";
}

TEST_F(BrandPackFlowTest, MenuRouteAsksForAFolderAndTellsTheOutcome)
{
    CanvasLogo current;
    BrandPackFlow flow(seams().brandPack(), [&] { return current; });
    flow.mnuBrandPack();
    ASSERT_EQ(dialogs.messageBoxes.size(), 1);
    EXPECT_EQ(dialogs.messageBoxes[0].text, QStringLiteral("There is no logo to publish."));
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty());

    current = {&logo, &renderer};
    QFile plain(root.path() + QStringLiteral("/plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    dialogs.fileAnswers.enqueue(plain.fileName());
    flow.mnuBrandPack();
    EXPECT_TRUE(dialogs.messageBoxes.last().text.contains(QStringLiteral("not a folder")));
    EXPECT_FALSE(forms.shownForms().contains(QStringLiteral("frmBrandPack")));

    // The fake window is closed at once: the pack stops before its first file, and says so.
    dialogs.fileAnswers.enqueue(folder());
    flow.mnuBrandPack();
    EXPECT_EQ(dialogs.fileDialogs.last().title, QStringLiteral("Brand Pack Folder"));
    EXPECT_TRUE(forms.shownForms().contains(QStringLiteral("frmBrandPack")));
    EXPECT_FALSE(QFileInfo::exists(folder()));
    EXPECT_TRUE(dialogs.messageBoxes.last().text.contains(QStringLiteral("cancelled")));
}

} // namespace
} // namespace vm::test
