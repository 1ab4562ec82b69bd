#include "canvas/logo/logo_renderer.h"
#include "canvas_test_support.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

LogoDocument squareLogo(const QColor& colour)
{
    LogoDocument logo;
    logo.background = QColor(250, 250, 210);
    LogoElement square;
    square.kind = ElementKind::Symbol;
    square.symbol = QStringLiteral("ClipArts/Geometric/square.svg");
    square.color = colour;
    square.position = QPointF(100, 100);
    square.size = QSizeF(100, 100);
    logo.elements.push_back(square);
    return logo;
}

class RendererTest : public ::testing::Test {
protected:
    LogoRenderer renderer{{sourceDataFolder(), QString()}};
};

TEST_F(RendererTest, DrawsRecolouredSymbolsOnTheBackgroundAtAnyScale)
{
    const LogoDocument logo = squareLogo(QColor(200, 30, 40));
    const QImage image = renderer.render(logo, 1.0, logo.background);
    EXPECT_EQ(image.size(), QSize(507, 397));
    EXPECT_EQ(image.pixelColor(150, 150), QColor(200, 30, 40));
    EXPECT_EQ(image.pixelColor(20, 20), QColor(250, 250, 210));
    EXPECT_EQ(image.pixelColor(300, 150), QColor(250, 250, 210));

    const QImage doubled = renderer.render(logo, 2.0, logo.background);
    EXPECT_EQ(doubled.size(), QSize(1014, 794));
    EXPECT_EQ(doubled.pixelColor(300, 300), QColor(200, 30, 40));
    EXPECT_EQ(doubled.pixelColor(150, 150), QColor(250, 250, 210));
}

TEST_F(RendererTest, TransparentBackgroundLeavesEmptyPixelsClear)
{
    const QImage image = renderer.render(squareLogo(Qt::black), 0.5, Qt::transparent);
    EXPECT_EQ(image.pixelColor(10, 10).alpha(), 0);
    EXPECT_EQ(image.pixelColor(75, 75), QColor(Qt::black));
}

TEST_F(RendererTest, RotationAndGroupsMoveWhatIsDrawn)
{
    LogoDocument logo = squareLogo(Qt::blue);
    logo.elements[0].size = QSizeF(200, 20);
    logo.elements[0].rotation = 90; // a vertical bar through the same centre
    const QImage turned = renderer.render(logo, 1.0, Qt::white);
    EXPECT_EQ(turned.pixelColor(200, 40), QColor(Qt::blue));
    EXPECT_EQ(turned.pixelColor(130, 110), QColor(Qt::white)); // where the unturned bar would be

    LogoElement group;
    group.kind = ElementKind::Group;
    group.children = squareLogo(Qt::red).elements; // spans 100..200
    group.position = QPointF(300, 0);
    group.size = QSizeF(50, 50); // moved and halved
    logo.elements = {group};
    const QImage grouped = renderer.render(logo, 1.0, Qt::white);
    EXPECT_EQ(grouped.pixelColor(325, 25), QColor(Qt::red));
    EXPECT_EQ(grouped.pixelColor(150, 150), QColor(Qt::white));
}

TEST_F(RendererTest, TextInkLandsInsideItsBox)
{
    LogoDocument logo;
    LogoElement text;
    text.kind = ElementKind::Text;
    text.text = QStringLiteral("MMMM");
    text.fontSize = 40;
    text.bold = true;
    text.color = QColor(0, 128, 0);
    text.size = LogoRenderer::naturalTextSize(text);
    text.position = QPointF(50, 50);
    logo.elements.push_back(text);
    const QImage image = renderer.render(logo, 1.0, Qt::white);
    int inkInside = 0, inkOutside = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y).green() < 200 || image.pixelColor(x, y).red() < 200)
                (text.box().adjusted(-2, -2, 2, 2).contains(x, y) ? inkInside : inkOutside)++;
    EXPECT_GT(inkInside, 50);
    EXPECT_EQ(inkOutside, 0);
}

TEST_F(RendererTest, MissingOrEscapingFilesDrawAPlaceholder)
{
    LogoDocument logo;
    LogoElement picture;
    picture.kind = ElementKind::Picture;
    picture.picture = QStringLiteral("../../etc/passwd");
    picture.position = QPointF(10, 10);
    picture.size = QSizeF(50, 50);
    LogoElement symbol = squareLogo(Qt::red).elements[0];
    symbol.symbol = QStringLiteral("../../../etc/hosts");
    logo.elements = {picture, symbol};
    const QImage image = renderer.render(logo, 1.0, Qt::white);
    EXPECT_NE(image.pixelColor(30, 20), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(150, 120), QColor(Qt::red));
}

} // namespace
} // namespace vm::test
