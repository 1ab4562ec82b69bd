#include "canvas/logo/logo_xml.h"
#include "canvas/outbox/command_outbox.h"
#include "canvas/player/movie_player.h"
#include "canvas/symbols/clipart_dialog.h"
#include "canvas/editor/editor_widget.h"
#include "canvas_test_support.h"

#include <QGraphicsTextItem>
#include <QTemporaryDir>
#include <memory>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

class ReferenceCanvasTest : public LoadedCanvasTest {
protected:
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = root.path() + QLatin1Char('/') + name;
        writeFile(path, bytes);
        return path;
    }
};

TEST(ReferenceCanvasStart, AnnouncesItselfInOrderOnlyOnceAMovieLoadsAndSaysWhatIsNotAvailable)
{
    QTemporaryDir root;
    CanvasDriver driver;
    driver.load(root.path() + QStringLiteral("/missing.swf"));
    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    EXPECT_TRUE(driver.take().isEmpty());
    writeFile(root.path() + QStringLiteral("/flash/LogoMain.swf"), minimalMovie());
    driver.load(root.path() + QStringLiteral("/flash/LogoMain.swf"));
    EXPECT_EQ(driver.take(), QStringList({"fmloaded|", "isloaded|", "fmactivemenu|"}));

    // Without a printer or a bitmap player it says what is not available, and nothing else.
    for (const char* command : {"doPublish", "dovector", "png"})
        driver.send(QString::fromLatin1(command), QStringLiteral("True"));
    EXPECT_EQ(driver.take(), QStringList({"publishfailed|printing is not available.", "publishfailed|printing is not available.",
                                          "publishfailed|the bitmap canvas is not loaded."}));
}

TEST_F(ReferenceCanvasTest, SaveAnswersWithThePathAndTheLogoAfterTheCallReturns)
{
    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    EXPECT_EQ(driver.take(), QStringList({"datatosave|true"}));
    const QString path = root.path() + QStringLiteral("/a æ b.vmp");
    driver.send(QStringLiteral("show save"), path);
    const QStringList raised = driver.take();
    ASSERT_EQ(raised.size(), 1);
    EXPECT_EQ(raised[0], QStringLiteral("show save|") + path + ae + QString::fromUtf8(logo_xml::write(logo())));
    EXPECT_EQ(driver.canvas.lastPath(), path);
}

TEST_F(ReferenceCanvasTest, OpenLoadsAndReportsCleanBadFilesLeaveTheStageAlone)
{
    const QString good = file(QStringLiteral("good.vmp"), logo_xml::write(everyKindLogo()));
    driver.send(QStringLiteral("result open"), good + ae + QStringLiteral("null"));
    EXPECT_EQ(driver.take(), QStringList({"datatosave|false"}));
    EXPECT_EQ(logo(), everyKindLogo());

    const struct {
        QString path;
        const char* words;
    } bad[] = {
        {file(QStringLiteral("newer.vmp"), "<VantamorphLogo version=\"7\"/>"), "newer version"},
        {file(QStringLiteral("broken.vmp"), "<VantamorphLogo version=\"1\"><Te"), "damaged"},
        {root.path() + QStringLiteral("/absent.vmp"), "cannot be read"},
    };
    for (const auto& [path, words] : bad) {
        driver.send(QStringLiteral("result open"), path + ae + QStringLiteral("null"));
        const QStringList raised = driver.take();
        // The host hears first that its open did not happen, then the reason.
        ASSERT_EQ(raised.size(), 2) << path.toStdString();
        EXPECT_EQ(raised[0], QStringLiteral("openrefused|") + path);
        EXPECT_TRUE(raised[1].startsWith(QStringLiteral("show alerto|")));
        EXPECT_TRUE(raised[1].contains(QLatin1String(words))) << raised[1].toStdString();
        EXPECT_EQ(logo(), everyKindLogo());
        EXPECT_EQ(driver.canvas.lastPath(), good);
    }

    driver.send(QStringLiteral("show new"), QStringLiteral("New") + ae + QStringLiteral("New"));
    EXPECT_EQ(driver.take(), QStringList({"datatosave|false"}));
    EXPECT_TRUE(logo().elements.empty());
    EXPECT_EQ(driver.canvas.lastPath(), QStringLiteral("New"));
}

TEST_F(ReferenceCanvasTest, AutosaveIsNotASaveAndARecoveredLogoComesBackAsUnsavedChangesOfItsProject)
{
    const QString project = file(QStringLiteral("project.vmp"), logo_xml::write(LogoDocument()));
    driver.send(QStringLiteral("result open"), project + ae + QStringLiteral("null"));
    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    driver.take();
    driver.send(QStringLiteral("autosave"), QString());
    EXPECT_EQ(driver.take(), QStringList{QStringLiteral("autosave|") + QString::fromUtf8(logo_xml::write(logo()))});
    EXPECT_EQ(driver.canvas.lastPath(), project) << "the project the next Save writes stays";

    const QString recovered = file(QStringLiteral("1234-ab.vmp"), logo_xml::write(everyKindLogo()));
    driver.send(QStringLiteral("recover open"), recovered + ae + project);
    EXPECT_EQ(driver.take(), QStringList({"datatosave|true"}));
    EXPECT_EQ(logo(), everyKindLogo());
    EXPECT_EQ(driver.canvas.lastPath(), project);
    driver.send(QStringLiteral("recover open"), recovered + ae + QStringLiteral("New"));
    driver.take();
    EXPECT_EQ(driver.canvas.lastPath(), QStringLiteral("New"));

    // One the canvas cannot read leaves the stage as it was.
    driver.send(QStringLiteral("recover open"), file(QStringLiteral("bad.vmp"), "<VantamorphLogo><Te") + ae + project);
    const QStringList raised = driver.take();
    ASSERT_EQ(raised.size(), 1);
    EXPECT_TRUE(raised[0].startsWith(QStringLiteral("show alerto|")));
    EXPECT_EQ(logo(), everyKindLogo());
    EXPECT_EQ(driver.canvas.lastPath(), QStringLiteral("New"));
}

TEST_F(ReferenceCanvasTest, EditingCommandsChangeTheLogoAndReportEachChange)
{
    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    driver.send(QStringLiteral("resultimage"), QStringLiteral("photo.png"));
    ASSERT_EQ(logo().elements.size(), 2u);
    EXPECT_EQ(logo().elements[1].picture, QStringLiteral("photo.png"));
    EXPECT_EQ(logo().elements[1].size, QSizeF(40, 20));
    driver.send(QStringLiteral("sendbackward_link"), QStringLiteral("True"));
    EXPECT_EQ(logo().elements[0].kind, ElementKind::Picture);
    driver.send(QStringLiteral("bringforward_link"), QStringLiteral("True"));
    driver.send(QStringLiteral("show copy"), QStringLiteral("True"));
    driver.send(QStringLiteral("show paste"), QStringLiteral("True"));
    EXPECT_EQ(logo().elements.size(), 3u);
    driver.send(QStringLiteral("show cut"), QStringLiteral("True"));
    driver.send(QStringLiteral("show delete"), QStringLiteral("True"));
    EXPECT_EQ(logo().elements.size(), 2u);
    driver.send(QStringLiteral("show undo"), QStringLiteral("True"));
    EXPECT_EQ(logo().elements.size(), 3u);
    driver.send(QStringLiteral("groupall"), QStringLiteral("True"));
    EXPECT_EQ(logo().elements.size(), 1u);
    driver.send(QStringLiteral("cropedimage"), QStringLiteral("cropped.png")); // nothing picture-like selected
    EXPECT_EQ(logo().elements.back().picture, QStringLiteral("cropped.png"));
    const QStringList raised = driver.take();
    // The delete after the cut had nothing selected: no change, no report.
    EXPECT_EQ(raised, QStringList(9, QStringLiteral("datatosave|true")));
}

TEST_F(ReferenceCanvasTest, AnswersOnlyWithCommandsTheHostKnows)
{
    driver.send(QStringLiteral("UploadImage"), QStringLiteral("True"));
    driver.send(QStringLiteral("is selection"), QStringLiteral("true"));
    driver.send(QStringLiteral("is selection"), QStringLiteral("True")); // exact word only
    driver.send(QStringLiteral("printmovie"), QStringLiteral("True"));
    EXPECT_EQ(driver.take(), QStringList({"fnbrowseimage|", "show publish|", "show alerto|Printing is not available."}));

    // Quiet commands, and hostile arguments that must not touch the logo.
    for (const char* command : {"chlang", "fontlist", "ShowSelection", "quick help", "panel_Color", "panel_Tools",
                                "panel_ArrangeAll", "drawnewlogo", "Open New Template", "no such command"})
        driver.send(QString::fromLatin1(command), QStringLiteral("True"));
    driver.send(QStringLiteral("resultimage"), QStringLiteral("../../etc/passwd"));
    driver.send(QStringLiteral("cropedimage"), QStringLiteral("/etc/passwd"));
    driver.send(QStringLiteral("result open"), QString());
    EXPECT_EQ(driver.take(), QStringList({"openrefused|", "show alerto|The logo file  cannot be read."}));
    EXPECT_TRUE(logo().elements.empty());
}

TEST_F(ReferenceCanvasTest, EditorWidgetDrivesTheSameProtocol)
{
    auto* widget = static_cast<EditorWidget*>(driver.canvas.view());
    widget->resize(700, 500);
    widget->show();

    // The browser's search and colours are the clip-art tests'; here that the command opens it.
    driver.send(QStringLiteral("drawnewlogo"), QStringLiteral("True"));
    ClipArtDialog* browser = widget->clipArtDialog();
    ASSERT_TRUE(browser && browser->isVisible());
    EXPECT_TRUE(browser->choose(QStringLiteral("ClipArts/Nature/leaf.svg")));
    settle();
    ASSERT_EQ(logo().elements.size(), 1u);

    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    driver.take();
    const quint64 text = logo().elements[1].id;
    ASSERT_TRUE(widget->beginTextEdit(text));
    settle();
    widget->textEditor()->setPlainText(QStringLiteral("Acme"));
    widget->endTextEdit();
    settle();
    EXPECT_EQ(driver.take(), QStringList({"istextedit|true", "istextedit|false", "datatosave|true"}));
    EXPECT_EQ(logo().elements[1].text, QStringLiteral("Acme"));
    EXPECT_FALSE(widget->beginTextEdit(logo().elements[0].id)); // a symbol has no text

    driver.send(QStringLiteral("panel_ArrangeAll"), QStringLiteral("True"));
    EXPECT_TRUE(widget->panelShown(EditorWidget::Panel::Colour) && widget->panelShown(EditorWidget::Panel::Tools));

    driver.canvas.requestSave();
    settle();
    const QStringList saved = driver.take();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved[0].startsWith(QStringLiteral("show save|New") + ae + QStringLiteral("<?xml")));

    driver.canvas.setQuickHelp(true, true);
    driver.canvas.setQuickHelp(false, true);
    driver.send(QStringLiteral("quick help"), QStringLiteral("true")); // from the host: no echo
    EXPECT_TRUE(driver.canvas.quickHelpShown());
    EXPECT_EQ(driver.take(), QStringList({"quick help|false", "quick help|true"}));
    widget->hide();
}

TEST_F(ReferenceCanvasTest, WizardFinishesWithPublishWhenAsked)
{
    driver.canvas.finishWizard(LogoDocument(), false);
    settle();
    EXPECT_EQ(driver.take(), QStringList({"datatosave|true", "wizard finish|done"}));
    LogoDocument one;
    one.elements.resize(1);
    driver.canvas.finishWizard(one, true);
    settle();
    EXPECT_EQ(driver.take(), QStringList({"datatosave|true", "wizard finish|publish"}));
}

// Both canvases raise their commands through the outbox: the host must hear
// them after its own call, in order, and never from a canvas that is gone.
TEST(CommandOutbox, SendsFromTheEventLoopInOrderAndDropsWhatItsOwnerLeftBehind)
{
    Trace trace;
    MoviePlayer player(QStringLiteral("canvas"), trace);
    QStringList raised;
    player.onCommand([&](const QString& command, const QString& argument) { raised.append(command + QLatin1Char('=') + argument); });
    auto outbox = std::make_unique<CommandOutbox>(player);
    outbox->post(QStringLiteral("fmloaded"), QString());
    outbox->post(QStringLiteral("datatosave"), QStringLiteral("true"));
    EXPECT_TRUE(raised.isEmpty()) << "sent inside the caller's call";
    QCoreApplication::processEvents();
    EXPECT_EQ(raised, (QStringList{QStringLiteral("fmloaded="), QStringLiteral("datatosave=true")}));
    outbox->post(QStringLiteral("show alerto"), QStringLiteral("late"));
    outbox.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(raised.size(), 2) << "a command outlived its canvas";
}

} // namespace
} // namespace vm::test
