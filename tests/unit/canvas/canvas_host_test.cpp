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

} // namespace
} // namespace vm::test
