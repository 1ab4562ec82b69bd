#include "canvas/symbols/clipart_dialog.h"
#include "canvas/pictures/crop_dialog.h"
#include "canvas/editor/editor_widget.h"
#include "canvas_test_support.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

class CanvasResourcesTest : public LoadedCanvasTest {
protected:
    void SetUp() override
    {
        LoadedCanvasTest::SetUp();
        widget = static_cast<EditorWidget*>(driver.canvas.view());
        widget->resize(800, 600);
        widget->show();
    }

    QString datasrc(const QString& relative) const { return root.path() + QStringLiteral("/datasrc/") + relative; }

    EditorWidget* widget = nullptr;
};

TEST_F(CanvasResourcesTest, TheBrowserOpensWithTheWholeLibraryAndDrawsOnlyWhatIsInSight)
{
    widget->openClipArt();
    ClipArtDialog* browser = widget->clipArtDialog();
    ASSERT_TRUE(browser && browser->isVisible());
    settle();
    EXPECT_GT(browser->shownSymbols().size(), 1400);
    EXPECT_GT(browser->drawnThumbnails(), 0);
    EXPECT_LT(browser->drawnThumbnails(), 120);

    // Results while typing: every keystroke narrows the list.
    browser->setQuery(QStringLiteral("cof"));
    const qsizetype partial = browser->shownSymbols().size();
    browser->setQuery(QStringLiteral("coffee"));
    EXPECT_TRUE(browser->shownSymbols().contains("ClipArts/Commerce/coffee.svg"));
    EXPECT_LE(browser->shownSymbols().size(), partial);
    browser->setCategory(QStringLiteral("Maps & Travel"));
    browser->setQuery(QStringLiteral("rocket"));
    EXPECT_EQ(browser->shownSymbols().value(0), QStringLiteral("ClipArts/Maps & Travel/rocket.svg"));

    // A new colour redraws what is in sight, not the library; the chosen symbol comes in that colour.
    const int drawn = browser->drawnThumbnails();
    browser->setCategory(QString());
    browser->setQuery(QString());
    settle();
    browser->setColour(QColor(0xd3, 0x2f, 0x2f));
    settle();
    EXPECT_LT(browser->drawnThumbnails() - drawn, 240);
    EXPECT_TRUE(browser->choose(QStringLiteral("ClipArts/Commerce/coffee.svg")));
    settle();
    ASSERT_EQ(logo().elements.size(), 1u);
    EXPECT_EQ(logo().elements[0].symbol + logo().elements[0].color.name(), QStringLiteral("ClipArts/Commerce/coffee.svg#d32f2f"));
}

TEST_F(CanvasResourcesTest, AddKeywordAsksTheHostAndTheAnswerRefreshesTheSymbol)
{
    writeFile(datasrc(QStringLiteral("VM_Logos.xml")),
              "<Catalogue><Category name=\"Nature\"><List>Nature.xml</List></Category></Catalogue>");
    const QString list = datasrc(QStringLiteral("ClipArts/Nature/Nature.xml"));
    writeFile(list, "<Symbols><Symbol><Id>leaf</Id><Keywords>green</Keywords><File>leaf.svg</File></Symbol></Symbols>");
    useLibrary(root.path() + QStringLiteral("/datasrc"));
    widget->openClipArt();
    ClipArtDialog* browser = widget->clipArtDialog();
    ASSERT_TRUE(browser);
    EXPECT_FALSE(browser->addKeyword(QStringLiteral("mine"))); // no symbol chosen yet
    ASSERT_TRUE(browser->setCurrentSymbol(QStringLiteral("ClipArts/Nature/leaf.svg")));
    EXPECT_FALSE(browser->addKeyword(QStringLiteral("  ")));
    EXPECT_TRUE(browser->addKeyword(QStringLiteral(" my,own ")));
    settle();
    EXPECT_EQ(driver.take(), QStringList({"add keyword|Nature" + ae + "leaf" + ae + "my own"}));

    // The host wrote the list and answers with its path.
    writeFile(list, "<Symbols><Symbol><Id>leaf</Id><Keywords>green,my own</Keywords><File>leaf.svg</File></Symbol></Symbols>");
    driver.send(QStringLiteral("result keyword"), list);
    ASSERT_NE(browser->currentSymbol(), nullptr);
    EXPECT_EQ(browser->currentSymbol()->keywords, QStringList({"green", "my own"}));
    browser->setQuery(QStringLiteral("own"));
    EXPECT_EQ(browser->shownSymbols(), QStringList({"ClipArts/Nature/leaf.svg"}));
}

TEST_F(CanvasResourcesTest, TheCropToolAsksForTheDraggedFrameAndTheCropReplacesThePicture)
{
    EXPECT_FALSE(widget->openCrop()); // nothing selected
    driver.send(QStringLiteral("resultimage"), QStringLiteral("photo.png"));
    driver.take();
    ASSERT_EQ(logo().elements.size(), 1u);
    driver.canvas.editor().select({logo().elements[0].id});
    ASSERT_TRUE(widget->openCrop());
    CropDialog* crop = widget->cropDialog();
    ASSERT_TRUE(crop && crop->isVisible());
    EXPECT_EQ(crop->frame(), QRect(0, 0, 40, 20));

    // A drag over the picture draws the frame (the picture fills the area's width: 8.8 points a pixel).
    QWidget* area = nullptr;
    for (QWidget* child : crop->findChildren<QWidget*>())
        if (child->size() == QSize(360, 360))
            area = child;
    ASSERT_TRUE(area);
    const auto mouse = [area](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
    };
    const double ratio = 352.0 / 40.0;
    const QPointF origin(4, (360 - 20 * ratio) / 2);
    mouse(QEvent::MouseButtonPress, origin + QPointF(41 * ratio, 0), Qt::LeftButton); // outside: a new frame
    mouse(QEvent::MouseMove, origin + QPointF(10 * ratio, 5 * ratio), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, origin + QPointF(10 * ratio, 5 * ratio), Qt::NoButton);
    EXPECT_EQ(crop->frame(), QRect(10, 0, 30, 5));

    // A drag inside the frame moves it, never out of the picture.
    mouse(QEvent::MouseButtonPress, origin + QPointF(20 * ratio, 2 * ratio), Qt::LeftButton);
    mouse(QEvent::MouseMove, origin + QPointF(5 * ratio, 12 * ratio), Qt::LeftButton);
    EXPECT_EQ(crop->frame(), QRect(0, 10, 30, 5));

    crop->setFrame(QRect(10, 5, 20, 10));
    crop->setScale(50);
    EXPECT_EQ(crop->result().size(), QSize(10, 5));
    // The converter scales first and crops the scaled picture.
    const QString request = QStringLiteral("5") + ae + "3" + ae + "5" + ae + "10" + ae + "photo.png" + ae + "50";
    EXPECT_EQ(crop->request(), request);
    crop->setFrame(QRect(-5, -5, 100, 100)); // kept inside the picture
    EXPECT_EQ(crop->frame(), QRect(0, 0, 40, 20));
    crop->setFrame(QRect(10, 5, 20, 10));
    emit crop->findChild<QDialogButtonBox*>()->accepted();
    settle();
    EXPECT_EQ(driver.take(), QStringList({"cropimage|" + request}));

    QImage cropped(10, 10, QImage::Format_RGB32);
    cropped.fill(Qt::green);
    cropped.save(root.path() + QStringLiteral("/LogoImages/1827photo.png"));
    const double width = logo().elements[0].size.width();
    driver.send(QStringLiteral("cropedimage"), QStringLiteral("1827photo.png"));
    ASSERT_EQ(logo().elements.size(), 1u);
    EXPECT_EQ(logo().elements[0].picture, QStringLiteral("1827photo.png"));
    EXPECT_DOUBLE_EQ(logo().elements[0].size.width(), width);
    EXPECT_DOUBLE_EQ(logo().elements[0].size.height(), width); // square like the cropped file
}

} // namespace
} // namespace vm::test
