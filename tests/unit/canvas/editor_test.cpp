#include "canvas/editing/logo_editor.h"
#include "canvas/logo/logo_renderer.h"
#include "canvas_test_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <functional>

namespace vm::test {
namespace {

QStringList texts(const LogoDocument& logo)
{
    QStringList found;
    for (const LogoElement& element : logo.elements)
        found.append(element.kind == ElementKind::Text ? element.text : element.symbol);
    return found;
}

TEST(LogoEditor, EveryEditIsOneUndoStepAndLoadingIsNone)
{
    LogoEditor editor;
    QSignalSpy edited(&editor, &LogoEditor::edited);
    const quint64 a = editor.addText(QStringLiteral("A"));
    editor.groupAll(); // one element only: no step
    editor.addSymbol(QStringLiteral("ClipArts/Geometric/star.svg"), Qt::red);
    editor.select({a});
    editor.setColor(Qt::green);
    editor.setText(a, QStringLiteral("AB"));
    EXPECT_EQ(edited.count(), 4);
    EXPECT_EQ(editor.undoStack().count(), 4);
    // Edits that change nothing leave no step.
    editor.setText(a, QStringLiteral("AB"));
    editor.select({});
    editor.deleteSelected();
    editor.bringForward();
    editor.paste();
    editor.setText(999, QStringLiteral("nobody"));
    EXPECT_EQ(editor.undoStack().count(), 4);

    editor.undo();
    EXPECT_EQ(editor.find(a)->text, QStringLiteral("A"));
    editor.undo();
    EXPECT_NE(editor.find(a)->color, QColor(Qt::green));
    editor.undo();
    editor.undo();
    EXPECT_TRUE(editor.document().elements.empty());
    EXPECT_EQ(edited.count(), 8); // an undo is a change as well

    editor.load(everyKindLogo());
    EXPECT_EQ(edited.count(), 8);
    EXPECT_EQ(editor.undoStack().count(), 0);
    editor.undo(); // nothing to undo after a load
    EXPECT_EQ(editor.document(), everyKindLogo());
}

TEST(LogoEditor, OrderCutCopyPasteAndDelete)
{
    LogoEditor editor;
    const quint64 a = editor.addText(QStringLiteral("A"));
    const quint64 b = editor.addText(QStringLiteral("B"));
    const quint64 c = editor.addText(QStringLiteral("C"));
    editor.select({a});
    editor.bringForward();
    EXPECT_EQ(texts(editor.document()), QStringList({"B", "A", "C"}));
    editor.bringForward();
    editor.bringForward(); // already on top
    EXPECT_EQ(texts(editor.document()), QStringList({"B", "C", "A"}));
    editor.select({c});
    editor.sendBackward();
    EXPECT_EQ(texts(editor.document()), QStringList({"C", "B", "A"}));

    editor.select({b});
    editor.cut();
    EXPECT_EQ(texts(editor.document()), QStringList({"C", "A"}));
    editor.paste();
    editor.paste();
    ASSERT_EQ(texts(editor.document()), QStringList({"C", "A", "B", "B"}));
    const auto& pasted = editor.document().elements;
    EXPECT_NE(pasted[2].id, pasted[3].id);
    EXPECT_NE(pasted[2].position, pasted[3].position); // each paste lands beside the last
    EXPECT_EQ(editor.selection(), QSet<quint64>({pasted[3].id}));
    editor.deleteSelected();
    EXPECT_EQ(texts(editor.document()), QStringList({"C", "A", "B"}));
}

TEST(LogoEditor, GroupAllKeepsTheLookAndUngroupRestoresTheElements)
{
    LogoEditor editor;
    // A symbol above a name and a tagline, the commonest starting logo.
    LogoDocument start;
    LogoElement symbol = starIn(QRectF(188, 40, 130, 130));
    symbol.color = QColor(0x3c, 0x9a, 0x3f);
    LogoElement name = textElement(QStringLiteral("Acme"), 48);
    LogoElement tagline = textElement(QStringLiteral("Since 1900"), 20);
    name.size = LogoRenderer::naturalTextSize(name);
    tagline.size = LogoRenderer::naturalTextSize(tagline);
    name.position = QPointF(150, 190), tagline.position = QPointF(170, 260);
    start.elements = {symbol, name, tagline};
    editor.load(start);
    const LogoDocument before = editor.document();
    LogoRenderer renderer({sourceDataFolder(), QString()});
    const QImage look = renderer.render(before, 1, Qt::white);
    editor.groupAll();
    ASSERT_EQ(editor.document().elements.size(), 1u);
    EXPECT_EQ(editor.document().elements[0].kind, ElementKind::Group);
    EXPECT_EQ(renderer.render(editor.document(), 1, Qt::white), look);
    editor.ungroupSelected();
    EXPECT_EQ(editor.document(), before);
    EXPECT_EQ(editor.selection().size(), 3);
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.document(), before);
}

// One style operation on a selected text and shape, with what it must change.
struct StyleOperation {
    const char* label;
    std::function<void(LogoEditor&)> apply;
    std::function<bool(const LogoElement&)> changed; // true on an element it reached
};

TEST(LogoEditor, EveryStyleEditIsOneNamedUndoStepThatRedoes)
{
    const QGradientStops stops = {{1, Qt::blue}, {0, Qt::red}}; // out of order on purpose
    const StyleOperation operations[] = {
        {"Change Opacity", [](LogoEditor& e) { e.setOpacity(0.4); }, [](const LogoElement& x) { return x.opacity == 0.4; }},
        {"Change Fill", [&](LogoEditor& e) { e.setFill({Fill::Kind::Linear, 90, stops}); },
         [](const LogoElement& x) { return x.fill.isGradient() && x.fill.stops.first().first == 0; }},
        {"Change Outline", [](LogoEditor& e) { e.setOutline(Qt::red, 3); }, [](const LogoElement& x) { return x.strokeWidth == 3; }},
        {"Change Shadow", [](LogoEditor& e) { e.setShadow({true, Qt::black, QPointF(2, 2), 5}); },
         [](const LogoElement& x) { return x.shadow.enabled; }},
        {"Curve Text", [](LogoEditor& e) { e.setArcRadius(-90); }, [](const LogoElement& x) { return x.arcRadius == -90; }},
        {"Letter Spacing", [](LogoEditor& e) { e.setLetterSpacing(4); }, [](const LogoElement& x) { return x.letterSpacing == 4; }},
        {"Line Spacing", [](LogoEditor& e) { e.setLineSpacing(2); }, [](const LogoElement& x) { return x.lineSpacing == 2; }},
        {"Align Text", [](LogoEditor& e) { e.setAlignment(TextAlignment::Right); },
         [](const LogoElement& x) { return x.alignment == TextAlignment::Right; }},
        {"Change Case", [](LogoEditor& e) { e.setTextCase(TextCase::Upper); }, [](const LogoElement& x) { return x.textCase == TextCase::Upper; }},
        {"Corner Radius", [](LogoEditor& e) { e.setCornerRadius(20); }, [](const LogoElement& x) { return x.cornerRadius == 20; }},
        {"Change Corners", [](LogoEditor& e) { e.setCorners(8); }, [](const LogoElement& x) { return x.points == 8; }},
        {"Star Depth", [](LogoEditor& e) { e.setInnerRatio(0.25); }, [](const LogoElement& x) { return x.innerRatio == 0.25; }},
        {"Transparent Background", [](LogoEditor& e) { e.setBackgroundTransparent(true); }, nullptr},
    };
    for (const StyleOperation& operation : operations) {
        LogoEditor editor;
        const quint64 text = editor.addText(QStringLiteral("Badge\nline"));
        const quint64 star = editor.addShape(ShapeType::Star);
        editor.select({text, star});
        const LogoDocument before = editor.document();
        const int steps = editor.undoStack().count();
        operation.apply(editor);
        ASSERT_EQ(editor.undoStack().count(), steps + 1) << operation.label;
        EXPECT_EQ(editor.undoStack().undoText(), QString::fromLatin1(operation.label));
        const LogoDocument after = editor.document();
        if (operation.changed)
            EXPECT_TRUE(operation.changed(*editor.find(text)) || operation.changed(*editor.find(star))) << operation.label;
        else
            EXPECT_TRUE(after.backgroundTransparent());
        editor.undo();
        EXPECT_EQ(editor.document(), before) << operation.label;
        editor.undoStack().redo();
        EXPECT_EQ(editor.document(), after) << operation.label;
        operation.apply(editor); // the same again changes nothing
        EXPECT_EQ(editor.undoStack().count(), steps + 1) << operation.label;
    }
}

TEST(LogoEditor, TextEditsKeepTheStretchACurveKeepsTheCentreAndFontChangesRefitTheBox)
{
    LogoEditor editor;
    const quint64 id = editor.addText(QStringLiteral("Wide"));
    const LogoElement* text = editor.find(id);
    editor.setGeometry(id, text->position, QSizeF(text->size.width() * 2, text->size.height()), 30);
    editor.setText(id, QStringLiteral("Round the badge"));
    text = editor.find(id);
    EXPECT_NEAR(text->size.width() / LogoRenderer::naturalTextSize(*text).width(), 2, 1e-6);
    EXPECT_EQ(text->rotation, 30);

    // A slider drag is one step; the curved text keeps its centre and its stretch.
    const QPointF centre = text->box().center();
    const int steps = editor.undoStack().count();
    for (double radius : {400.0, 300.0, 200.0, 150.0})
        editor.setArcRadius(radius);
    EXPECT_EQ(editor.undoStack().count(), steps + 1);
    text = editor.find(id);
    EXPECT_EQ(text->arcRadius, 150);
    EXPECT_LT(std::abs(text->box().center().x() - centre.x()), 1e-6);
    EXPECT_LT(std::abs(text->box().center().y() - centre.y()), 1e-6);
    EXPECT_NEAR(text->size.width() / editor.renderer().textSize(*text).width(), 2, 1e-6);
    editor.undo();
    EXPECT_EQ(editor.find(id)->arcRadius, 0);
    // Another kind of edit between two curves keeps them apart.
    editor.undoStack().redo();
    editor.setOpacity(0.5);
    editor.setArcRadius(-100);
    EXPECT_EQ(editor.undoStack().count(), steps + 3);

    editor.setFontSize(60);
    EXPECT_EQ(editor.find(id)->size, editor.renderer().textSize(*editor.find(id)));
    editor.setBold(true);
    editor.setItalic(true);
    editor.setFontFamily(QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(editor.find(id)->bold && editor.find(id)->italic);
    EXPECT_EQ(editor.find(id)->fontFamily, QStringLiteral("DejaVu Serif"));
}

TEST(LogoEditor, NewShapesAndThePaletteOfColoursInUse)
{
    LogoEditor editor;
    for (ShapeType type : {ShapeType::Rectangle, ShapeType::RoundedRectangle, ShapeType::Ellipse, ShapeType::Line, ShapeType::Polygon,
                           ShapeType::Star}) {
        const LogoElement* shape = editor.find(editor.addShape(type));
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->shapeType, type);
        EXPECT_TRUE(QRectF(QPointF(0, 0), editor.document().stageSize).contains(shape->box())); // in view
    }
    EXPECT_EQ(editor.undoStack().undoText(), QStringLiteral("Add Shape"));
    EXPECT_GT(editor.find(editor.selection().values().first())->size.width(), 0);

    editor.load({});
    editor.select({editor.addText(QStringLiteral("A"))});
    editor.setColor(QColor(0x10, 0x20, 0x30));
    editor.setOutline(QColor(0xaa, 0, 0), 2);
    editor.select({editor.addShape(ShapeType::Ellipse)});
    editor.setFill({Fill::Kind::Radial, 0, {{0, QColor(1, 2, 3)}, {1, QColor(0x10, 0x20, 0x30, 128)}}});
    // The background first, each colour once, opaque, gradient stops for the gradient.
    EXPECT_EQ(editor.paletteColors(), QList<QColor>({Qt::white, QColor(0x10, 0x20, 0x30), QColor(0xaa, 0, 0), QColor(1, 2, 3)}));
    // A colour from the palette paints the gradient-filled shape plainly.
    editor.setColor(QColor(0xaa, 0, 0));
    EXPECT_EQ(editor.selectedElements().first()->fill.kind, Fill::Kind::Solid);
    EXPECT_EQ(editor.selectedElements().first()->color, QColor(0xaa, 0, 0));
}

} // namespace
} // namespace vm::test
