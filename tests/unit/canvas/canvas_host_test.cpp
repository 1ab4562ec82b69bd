#include "canvas/logo/logo_xml.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/editor/stage_view.h"
#include "canvas/wizard/wizard_logo.h"
#include "canvas_test_support.h"
#include "shell/views/main_window_view.h"

#include <QDir>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

using CanvasHostTest = ReferenceHostTest;

TEST_F(CanvasHostTest, SaveNewOpenSaveThroughTheHostGivesTheSameBytes)
{
    start();
    ASSERT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    reference.editor().addText(QStringLiteral("Northwind Bakery"));
    reference.editor().addSymbol(QStringLiteral("ClipArts/Nature/sun.svg"), QColor(0xc9, 0x9a, 0x06));
    settle();
    EXPECT_TRUE(host->state.isDirty);

    const QString path = root.path() + QStringLiteral("/bakery.vmp");
    dialogs.fileAnswers.enqueue(path);
    save();
    const QByteArray saved = readFile(path);
    ASSERT_FALSE(saved.isEmpty());
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_FALSE(forms.isLoaded(host->savingForm));
    const LogoDocument designed = reference.editor().document();

    act([&] { flows->mnuNewProject(); });
    EXPECT_TRUE(reference.editor().document().elements.empty());
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));

    dialogs.fileAnswers.enqueue(path);
    act([&] { flows->mnuOpenProject(); });
    EXPECT_EQ(reference.editor().document(), designed);
    EXPECT_FALSE(host->state.isDirty);

    QFile::remove(path);
    save();
    EXPECT_EQ(readFile(path), saved);
}

TEST_F(CanvasHostTest, CanvasToolbarSaveOfANewLogoAsksTheHostForAName)
{
    start();
    reference.editor().addText(QStringLiteral("Toolbar"));
    const QString path = root.path() + QStringLiteral("/toolbar.vmp");
    dialogs.fileAnswers.enqueue(path);
    act([&] { reference.requestSave(); });
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Save Project"));
    EXPECT_EQ(logo_xml::readFile(path).document, reference.editor().document());
    EXPECT_EQ(reference.lastPath(), path);
}

TEST_F(CanvasHostTest, BrokenFileFromTheHostShowsAnAlertAndKeepsTheLogo)
{
    start();
    reference.editor().addText(QStringLiteral("Keep me"));
    settle();
    const QString path = root.path() + QStringLiteral("/broken.vmp");
    writeFile(path, "<VantamorphLogo version=\"1\"><Text");
    dialogs.fileAnswers.enqueue(path);
    forms.clicks = {QStringLiteral("cmdNo")}; // no saving of the changes first
    act([&] { flows->mnuOpenProject(); });
    ASSERT_EQ(reference.editor().document().elements.size(), 1u);
    EXPECT_EQ(reference.editor().document().elements[0].text, QStringLiteral("Keep me"));
    ASSERT_FALSE(forms.shown.isEmpty());
    EXPECT_TRUE(forms.shown.last().message.contains(QLatin1String("damaged"))) << forms.shown.last().message.toStdString();
}

TEST_F(CanvasHostTest, MainWindowScreenshotWithASampleLogo)
{
    start();
    reference.editor().replaceAll(wizardLogo(QStringLiteral("Northwind Bakery"), QStringLiteral("Fresh every morning"),
                                             QStringLiteral("Classic")),
                                  QStringLiteral("Sample"));
    auto* editor = static_cast<EditorWidget*>(reference.view());
    MainWindowView window(*host, editor);
    window.resize(MainWindowView::startWidth, MainWindowView::startHeight);
    window.show();
    editor->arrangePanels();
    reference.editor().select({reference.editor().document().elements[1].id});
    settle(20);
    const QImage shot = window.grab().toImage();
    const QString file = QStringLiteral(VM_CANVAS_BUILD_DIR "/canvas_main_window.png");
    ASSERT_TRUE(shot.save(file));
    EXPECT_GT(shot.width(), 600);
    window.hide();
}

// A logo that uses what the editor offers, for people to look at: build/screenshots/editor.png
// shows the main window with every panel open and a drag snapping to its guides.
LogoDocument showcaseLogo()
{
    LogoDocument logo;
    logo.background = QColor(0xfb, 0xf7, 0xf0);
    // A seal: a gradient disc with an outline, the name curved over it, a star, two leaves.
    LogoElement seal;
    seal.kind = ElementKind::Shape;
    seal.shapeType = ShapeType::Ellipse;
    seal.position = QPointF(153, 48);
    seal.size = QSizeF(200, 200);
    seal.fill.kind = Fill::Kind::Radial;
    seal.fill.stops = {{0, QColor(0x2b, 0x5f, 0x9e)}, {1, QColor(0x13, 0x2e, 0x52)}};
    seal.strokeColor = QColor(0xc9, 0x9a, 0x06);
    seal.strokeWidth = 6;
    seal.shadow.enabled = true;
    seal.name = QStringLiteral("Seal");
    LogoElement star = seal;
    star.shapeType = ShapeType::Star;
    star.fill = Fill();
    star.color = QColor(0xff, 0xc1, 0x07);
    star.strokeWidth = 0;
    star.shadow = Shadow();
    star.position = QPointF(218, 113);
    star.size = QSizeF(70, 70);
    star.name = QString();
    LogoElement name;
    name.kind = ElementKind::Text;
    name.text = QStringLiteral("NORTHWIND BAKERY");
    name.fontFamily = QStringLiteral("DejaVu Sans");
    name.fontSize = 22;
    name.bold = true;
    name.color = Qt::white;
    name.letterSpacing = 2;
    name.arcRadius = 80;
    name.position = QPointF(168, 58);
    name.size = QSizeF(170, 60);
    LogoElement slogan = name;
    slogan.text = QStringLiteral("Fresh every morning");
    slogan.fontFamily = QStringLiteral("DejaVu Serif");
    slogan.bold = false;
    slogan.italic = true;
    slogan.arcRadius = 0;
    slogan.letterSpacing = 0;
    slogan.fontSize = 26;
    slogan.color = QColor(0x1f, 0x3a, 0x5f);
    slogan.alignment = TextAlignment::Centre;
    slogan.position = QPointF(103, 280);
    slogan.size = QSizeF(300, 40);
    LogoElement leaf;
    leaf.kind = ElementKind::Symbol;
    leaf.symbol = QStringLiteral("ClipArts/Nature/leaf.svg");
    leaf.color = QColor(0x3c, 0x9a, 0x3f);
    leaf.position = QPointF(40, 40);
    leaf.size = QSizeF(70, 70);
    leaf.name = QStringLiteral("Left leaf");
    LogoElement mirrored = leaf;
    mirrored.position = QPointF(397, 40);
    mirrored.flipHorizontal = true;
    mirrored.name = QStringLiteral("Right leaf");
    mirrored.locked = true;
    logo.elements = {seal, star, name, slogan, leaf, mirrored};
    return logo;
}

TEST_F(CanvasHostTest, EditorScreenshotWithAShowcaseLogo)
{
    start();
    reference.editor().replaceAll(showcaseLogo(), QStringLiteral("Showcase"));
    auto* editor = static_cast<EditorWidget*>(reference.view());
    MainWindowView window(*host, editor);
    window.resize(1180, 780);
    window.show();
    editor->arrangePanels();
    settle(10);
    // The left leaf dragged down beside the slogan: its top snaps to the slogan's, the guide shows.
    const LogoElement leaf = reference.editor().document().elements[4];
    reference.editor().select({leaf.id});
    settle(5);
    const auto mouse = [&](QEvent::Type type, const QPointF& stagePoint, Qt::MouseButtons held) {
        stageMouse(*editor->stageView(), type, stagePoint, held);
    };
    const QPointF grip = leaf.box().center();
    mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    mouse(QEvent::MouseMove, grip + QPointF(2, 241), Qt::LeftButton);
    settle(20);
    EXPECT_FALSE(editor->stage()->guides().isEmpty());
    QDir().mkpath(QStringLiteral(VM_CANVAS_BUILD_DIR "/screenshots"));
    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(shot.save(QStringLiteral(VM_CANVAS_BUILD_DIR "/screenshots/editor.png")));
    mouse(QEvent::MouseButtonRelease, grip + QPointF(2, 241), {});
    settle(5);
    window.hide();
}

} // namespace
} // namespace vm::test
