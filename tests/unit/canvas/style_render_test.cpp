// What the renderer draws, and the style of an element drawn the same way on
// the stage, by the renderer and in an exported picture.
#include "canvas/logo/logo_renderer.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/editing/logo_editor.h"
#include "canvas/panels/properties_panel.h"
#include "canvas/editor/stage_items.h"
#include "canvas_test_support.h"
#include "export/logo_export.h"

#include <QComboBox>
#include <QGraphicsScene>
#include <QPainter>
#include <QSlider>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

LogoElement shapeElement(ShapeType type, const QRectF& box, const QColor& colour)
{
    LogoElement shape = elementIn(ElementKind::Shape, box);
    shape.shapeType = type, shape.color = colour;
    return shape;
}

// A text placed at its natural size with its top left at where.
LogoElement placed(LogoElement text, const QPointF& where)
{
    text.size = LogoRenderer::naturalTextSize(text);
    text.position = where;
    return text;
}

LogoDocument logoOf(std::vector<LogoElement> elements)
{
    LogoDocument logo;
    logo.stageSize = QSize(300, 200);
    logo.elements = std::move(elements);
    return logo;
}

// The largest difference of any channel, and how many pixels differ by more than a little.
struct Difference {
    int largest = 0;
    int pixels = 0;
};

Difference compare(const QImage& a, const QImage& b)
{
    Difference difference;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    if (left.size() != right.size())
        return {255, left.width() * left.height()};
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y), q = right.pixel(x, y);
            const int largest = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                                          std::abs(qAlpha(p) - qAlpha(q))});
            difference.largest = std::max(difference.largest, largest);
            difference.pixels += largest > 24;
        }
    }
    return difference;
}

LogoDocument squareLogo(const QColor& colour)
{
    LogoDocument logo;
    logo.background = QColor(250, 250, 210);
    LogoElement square = elementIn(ElementKind::Symbol, QRectF(100, 100, 100, 100));
    square.symbol = QStringLiteral("ClipArts/Geometric/square.svg"), square.color = colour;
    logo.elements.push_back(square);
    return logo;
}

class StyleRenderTest : public ::testing::Test {
protected:
    QImage rendered(const LogoDocument& logo) { return renderer.render(logo, 1.0, logo.background); }

    // The stage's way: one item per element in a scene, as the editor shows them.
    QImage onStage(const LogoDocument& logo)
    {
        QGraphicsScene scene;
        for (const LogoElement& element : logo.elements)
            scene.addItem(new ElementItem(element, renderer, {}));
        QImage image(logo.stageSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(logo.background);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        const QRectF stage(QPointF(0, 0), logo.stageSize);
        scene.render(&painter, stage, stage);
        return image;
    }

    QImage exported(const LogoDocument& logo)
    {
        const QString path = folder.filePath(QStringLiteral("logo.png"));
        const WriteOutcome outcome = logo_export::write(path, ExportFormat::Png, logo, renderer, {});
        EXPECT_TRUE(outcome.ok) << outcome.reason.toStdString();
        return QImage(path);
    }

    // Stage, renderer and export agree; returns the renderer's picture.
    QImage drawnAlike(const LogoDocument& logo, const char* feature)
    {
        const QImage drawn = rendered(logo);
        for (const auto& [way, image] : {std::pair{"stage", onStage(logo)}, std::pair{"export", exported(logo)}}) {
            const Difference difference = compare(drawn, image);
            EXPECT_LE(difference.largest, 48) << feature << " on the " << way;
            EXPECT_LE(difference.pixels, drawn.width() * drawn.height() / 500) << feature << " on the " << way;
        }
        return drawn;
    }

    QTemporaryDir folder;
    LogoRenderer renderer{{sourceDataFolder(), QString()}};
};

// The middle of the dark ink's rows within band of the picture.
double inkMiddle(const QImage& image, const QRectF& band)
{
    const QRect area = band.toAlignedRect().intersected(image.rect());
    double sum = 0;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 160)
                sum += y, ++count;
    return count ? sum / count : -1;
}

using RendererTest = StyleRenderTest;

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

    // A transparent background leaves the empty pixels clear.
    const QImage clear = renderer.render(logo, 0.5, Qt::transparent);
    EXPECT_EQ(clear.pixelColor(10, 10).alpha(), 0);
    EXPECT_EQ(clear.pixelColor(75, 75), QColor(200, 30, 40));
}

TEST_F(RendererTest, RotationAndGroupsMoveWhatIsDrawn)
{
    LogoDocument logo = squareLogo(Qt::blue);
    logo.elements[0].size = QSizeF(200, 20);
    logo.elements[0].rotation = 90; // a vertical bar through the same centre
    const QImage turned = renderer.render(logo, 1.0, Qt::white);
    EXPECT_EQ(turned.pixelColor(200, 40), QColor(Qt::blue));
    EXPECT_EQ(turned.pixelColor(130, 110), QColor(Qt::white)); // where the unturned bar would be

    LogoElement group = elementIn(ElementKind::Group, QRectF(300, 0, 50, 50)); // moved and halved
    group.children = squareLogo(Qt::red).elements; // spans 100..200
    logo.elements = {group};
    const QImage grouped = renderer.render(logo, 1.0, Qt::white);
    EXPECT_EQ(grouped.pixelColor(325, 25), QColor(Qt::red));
    EXPECT_EQ(grouped.pixelColor(150, 150), QColor(Qt::white));
}

TEST_F(RendererTest, TextInkLandsInsideItsBox)
{
    LogoDocument logo;
    LogoElement text = textElement(QStringLiteral("MMMM"));
    text.size = LogoRenderer::naturalTextSize(text);
    text.position = QPointF(50, 50);
    logo.elements.push_back(text);
    const QImage image = renderer.render(logo, 1.0, Qt::white);
    int inkInside = 0, inkOutside = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixelColor(x, y).lightness() < 200)
                (text.box().adjusted(-2, -2, 2, 2).contains(x, y) ? inkInside : inkOutside)++;
    EXPECT_GT(inkInside, 50);
    EXPECT_EQ(inkOutside, 0);
}

TEST_F(RendererTest, MissingOrEscapingFilesDrawAPlaceholder)
{
    LogoDocument logo;
    LogoElement picture = elementIn(ElementKind::Picture, QRectF(10, 10, 50, 50));
    picture.picture = QStringLiteral("../../etc/passwd");
    LogoElement symbol = squareLogo(Qt::red).elements[0];
    symbol.symbol = QStringLiteral("../../../etc/hosts");
    logo.elements = {picture, symbol};
    const QImage image = renderer.render(logo, 1.0, Qt::white);
    EXPECT_NE(image.pixelColor(30, 20), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(150, 120), QColor(Qt::red));
}

TEST_F(StyleRenderTest, ShapesFillTheirOutlineWithColourGradientAndStroke)
{
    LogoElement star = shapeElement(ShapeType::Star, QRectF(0, 0, 120, 120), Qt::red);
    star.innerRatio = 0.4;
    LogoElement gradient = shapeElement(ShapeType::Rectangle, QRectF(150, 10, 100, 40), Qt::black);
    gradient.fill = {Fill::Kind::Linear, 0, {{0, Qt::red}, {1, Qt::blue}}};
    LogoElement radial = shapeElement(ShapeType::Ellipse, QRectF(150, 60, 100, 100), Qt::black);
    radial.fill = {Fill::Kind::Radial, 0, {{0, Qt::white}, {1, Qt::green}}};
    radial.strokeColor = Qt::black;
    radial.strokeWidth = 4;
    LogoElement line = shapeElement(ShapeType::Line, QRectF(10, 170, 200, 10), Qt::blue);
    line.strokeWidth = 6;
    LogoElement hexagon = shapeElement(ShapeType::Polygon, QRectF(260, 100, 36, 36), Qt::darkYellow);
    const QImage image = drawnAlike(logoOf({star, gradient, radial, line, hexagon}), "shapes");

    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::red));   // the star's heart
    EXPECT_EQ(image.pixelColor(60, 4), QColor(Qt::red));    // its top point
    EXPECT_EQ(image.pixelColor(25, 20), QColor(Qt::white)); // between two points, inside the box
    EXPECT_GT(image.pixelColor(152, 30).red(), 230);        // left to right, red to blue
    EXPECT_GT(image.pixelColor(248, 30).blue(), 230);
    EXPECT_GT(image.pixelColor(200, 110).blue(), 200); // radial: white in the middle
    EXPECT_LT(image.pixelColor(200, 150).blue(), 150); // greener outwards
    EXPECT_LT(image.pixelColor(200, 61).lightness(), 60); // the outline
    EXPECT_EQ(image.pixelColor(100, 175), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(100, 170), QColor(Qt::white)); // a line is as thick as its outline width
    EXPECT_EQ(image.pixelColor(278, 118), QColor(Qt::darkYellow));
}

TEST_F(StyleRenderTest, OpacityFlipsAndHiddenChangeHowAnElementShows)
{
    LogoElement halves = shapeElement(ShapeType::Rectangle, QRectF(10, 10, 100, 50), Qt::black);
    halves.fill = {Fill::Kind::Linear, 0, {{0, Qt::red}, {0.5, Qt::red}, {0.5001, Qt::blue}, {1, Qt::blue}}};
    LogoElement flipped = halves;
    flipped.position = QPointF(150, 10);
    flipped.flipHorizontal = true;
    LogoElement faint = shapeElement(ShapeType::Rectangle, QRectF(10, 100, 80, 80), Qt::black);
    faint.opacity = 0.5;
    LogoElement hidden = shapeElement(ShapeType::Rectangle, QRectF(150, 100, 80, 80), Qt::black);
    hidden.hidden = true;
    LogoElement upsideDown = placed(textElement(QStringLiteral("Ty")), QPointF(240, 100));
    upsideDown.flipVertical = true;
    const QImage image = drawnAlike(logoOf({halves, flipped, faint, hidden, upsideDown}), "opacity, flips, hidden");

    EXPECT_EQ(image.pixelColor(20, 30), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(160, 30), QColor(Qt::blue)); // mirrored
    EXPECT_EQ(image.pixelColor(240, 30), QColor(Qt::red));
    EXPECT_NEAR(image.pixelColor(50, 140).red(), 128, 2);
    EXPECT_EQ(image.pixelColor(190, 140), QColor(Qt::white));
    // Upside down, the ink of the capital T's bar is at the bottom.
    const QRectF box = upsideDown.box();
    EXPECT_GT(inkMiddle(image, QRectF(box.left() + 2, box.top(), 6, box.height())), box.center().y());
}

TEST_F(StyleRenderTest, CurvedTextArchesUpOrSagsDownAndTextOutlinesAndShadowsShow)
{
    for (double radius : {120.0, -120.0}) {
        LogoElement text = textElement(QStringLiteral("curved text"), 28);
        text.arcRadius = radius;
        text.textCase = TextCase::Upper; // set in capitals alike on the stage and in a picture
        text = placed(text, QPointF(10, 10));
        const QImage image = drawnAlike(logoOf({text}), radius > 0 ? "arch" : "sag");
        const QRectF box = text.box();
        const double left = inkMiddle(image, QRectF(box.left(), box.top(), box.width() / 6, box.height()));
        const double middle = inkMiddle(image, QRectF(box.center().x() - box.width() / 12, box.top(), box.width() / 6, box.height()));
        if (radius > 0)
            EXPECT_GT(left, middle + 10) << "an arch's ends are lower than its middle";
        else
            EXPECT_LT(left, middle - 10) << "a sag's ends are higher than its middle";
        EXPECT_LT(box.height(), box.width()); // still a line of text, not a ring
    }

    LogoElement outlined = placed([] {
        LogoElement text = textElement(QStringLiteral("I"), 80);
        text.color = Qt::yellow;
        text.strokeColor = Qt::red;
        text.strokeWidth = 4;
        return text;
    }(), QPointF(20, 20));
    LogoElement shadowed = shapeElement(ShapeType::Rectangle, QRectF(150, 20, 60, 60), Qt::blue);
    shadowed.shadow = {true, QColor(0, 0, 0, 200), QPointF(10, 10), 2};
    const QImage image = drawnAlike(logoOf({outlined, shadowed}), "outline and shadow");
    // Across the I: red outline, yellow stem, red outline.
    const int row = int(outlined.box().center().y());
    QStringList seen;
    for (int x = int(outlined.box().left()); x < int(outlined.box().right()); ++x) {
        const QColor pixel = image.pixelColor(x, row);
        const QString name = pixel == QColor(Qt::yellow) ? QStringLiteral("yellow") : pixel.red() > 200 && pixel.green() < 60 ? QStringLiteral("red") : QString();
        if (!name.isEmpty() && (seen.isEmpty() || seen.last() != name))
            seen.append(name);
    }
    EXPECT_EQ(seen, QStringList({"red", "yellow", "red"}));
    EXPECT_EQ(image.pixelColor(180, 50), QColor(Qt::blue));
    EXPECT_LT(image.pixelColor(215, 85).lightness(), 120); // below and right of the square, in its shadow
    EXPECT_EQ(image.pixelColor(145, 15), QColor(Qt::white)); // not above and left of it
}

TEST_F(StyleRenderTest, SpacingAlignmentAndCaseSetTheLines)
{
    LogoElement plain = textElement(QStringLiteral("wide\nx"), 30);
    plain.letterSpacing = 0.001; // laid out glyph by glyph like the others
    LogoElement spaced = plain;
    spaced.letterSpacing += 10;
    spaced.lineSpacing = 2;
    LogoElement upper = plain;
    upper.textCase = TextCase::Upper;
    const QSizeF plainSize = LogoRenderer::naturalTextSize(plain);
    // Three gaps between the four letters of the longest line, none after the last.
    EXPECT_NEAR(LogoRenderer::naturalTextSize(spaced).width() - plainSize.width(), 30, 0.01);
    EXPECT_GT(LogoRenderer::naturalTextSize(spaced).height(), plainSize.height() * 1.4);
    EXPECT_GT(LogoRenderer::naturalTextSize(upper).width(), plainSize.width());

    const LogoElement left = placed(plain, QPointF(10, 10));
    LogoElement right = left, centre = left;
    right.alignment = TextAlignment::Right;
    right.position = QPointF(150, 10);
    centre.alignment = TextAlignment::Centre;
    centre.position = QPointF(10, 100);
    const QImage image = drawnAlike(logoOf({left, right, centre}), "alignment");
    const auto firstInk = [&](const LogoElement& text) {
        const int row = int(text.position.y() + text.size.height() * 0.8); // the short second line
        for (int x = int(text.position.x()); x < int(text.box().right()); ++x)
            if (image.pixelColor(x, row).lightness() < 200)
                return x - text.position.x();
        return -1.0;
    };
    EXPECT_LT(firstInk(left), 10);
    EXPECT_GT(firstInk(right), left.size.width() / 2);
    EXPECT_NEAR(firstInk(centre) - firstInk(left), (firstInk(right) - firstInk(left)) / 2, 2);
}

using StylePanelTest = LoadedCanvasTest;

TEST_F(StylePanelTest, ThePanelShowsTheStyleOfTheSelectedTextAndItsSliderCurvesIt)
{
    auto* widget = static_cast<EditorWidget*>(driver.canvas.view());
    widget->resize(1000, 640);
    LogoEditor& editor = driver.canvas.editor();
    LogoElement curved = placed(textElement(QStringLiteral("Harbour Coffee"), 38), QPointF(40, 52));
    curved.arcRadius = 150;
    editor.load(logoOf({shapeElement(ShapeType::Star, QRectF(200, 100, 80, 80), Qt::red), curved}));
    const quint64 text = editor.document().elements[1].id;
    editor.select({text});
    widget->show();
    widget->arrangePanels();
    settle();
    PropertiesPanel* panel = widget->propertiesPanel();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->curveSlider()->value(), PropertiesPanel::curveFromRadius(150));
    EXPECT_EQ(panel->fillKindBox()->currentIndex(), 0);
    // Moving the slider curves the text, as one step.
    panel->curveSlider()->setValue(-50);
    EXPECT_EQ(editor.find(text)->arcRadius, PropertiesPanel::radiusFromCurve(-50));
    EXPECT_EQ(editor.undoStack().undoText(), QStringLiteral("Curve Text"));
    editor.undo();
    settle();
    EXPECT_EQ(panel->curveSlider()->value(), PropertiesPanel::curveFromRadius(150));
}

} // namespace
} // namespace vm::test
