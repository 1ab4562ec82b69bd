// The canvas behind the real host: saving, opening and starting from a template,
// with the gallery page, its keyboard, the menu lock and the saved bytes.
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas/editor/editor_widget.h"
#include "canvas/gallery/template_gallery.h"
#include "canvas/gallery/template_thumbnails.h"
#include "canvas_test_support.h"
#include "shell/views/main_window_view.h"
#include "templates/template_mode.h"

#include <QInputDialog>
#include <QListView>
#include <QMenu>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

using CanvasHostTest = ReferenceHostTest;

// Saving and reopening the same bytes, and a refused open, are the whole program's tests (project, templates, safety e2e).
TEST_F(CanvasHostTest, TheCanvasToolbarSaveOfANewLogoAsksTheHostForANameAndSaves)
{
    start();
    ASSERT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    act([&] { reference.editor().addSymbol(QStringLiteral("ClipArts/Nature/sun.svg"), QColor(0xc9, 0x9a, 0x06)); });
    EXPECT_TRUE(host->state.isDirty);
    const QString path = root.path() + QStringLiteral("/bakery.vmp");
    dialogs.fileAnswers.enqueue(path);
    act([&] { reference.requestSave(); });
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Save Project"));
    EXPECT_EQ(logo_xml::readFile(path).document, reference.editor().document());
    EXPECT_EQ(reference.lastPath(), path);
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_FALSE(forms.isLoaded(host->savingForm));
}

class TemplateGalleryTest : public ReferenceHostTest {
protected:
    void SetUp() override
    {
        ReferenceHostTest::SetUp();
        start();
        registerShippedFonts(QStringLiteral(VM_SOURCE_DIR "/data/fonts"));
        reference.setTemplateFolders(QStringLiteral(VM_SOURCE_DIR "/data/templates"), own.path());
    }
    void plugIn() override { templates = std::make_unique<TemplateMode>(seams().templates(), *flows); }
    bool menusLocked() const
    {
        return !host->menuItems.ItemEnabled(host->menuItems.FindItem(QStringLiteral("mnuProject")))
               && !host->menuItems.ItemEnabled(host->menuItems.FindItem(QStringLiteral("mnuFromTemplate")));
    }
    QTemporaryDir own;
    std::unique_ptr<TemplateMode> templates;
};

TEST_F(TemplateGalleryTest, PickedTemplateReplacesTheUnsavedLogoAndLeavesNothingUnsaved)
{
    act([&] { reference.editor().addText(QStringLiteral("Unsaved work")); });
    ASSERT_TRUE(host->state.isDirty);

    forms.clicks = {QStringLiteral("cmdNo")};
    act([&] { host->mainMenu.route(QStringLiteral("mnuNewTemplate")); });
    ASSERT_TRUE(reference.galleryOpen());
    EXPECT_TRUE(menusLocked());
    // Until a template is picked the old logo stays.
    EXPECT_EQ(reference.editor().document().elements.size(), 1u);

    ASSERT_TRUE(reference.pickTemplate(QStringLiteral("Food and Drink"), QStringLiteral("Coffee House")));
    settle(10);
    const LogoTemplate* chosen = reference.templateLibrary().find(QStringLiteral("Food and Drink"), QStringLiteral("Coffee House"));
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(reference.editor().document(), chosen->logo);
    EXPECT_FALSE(reference.galleryOpen());
    EXPECT_FALSE(menusLocked());
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    // A new logo: there is nothing to undo back to the old one.
    EXPECT_FALSE(reference.editor().undoStack().canUndo());
}

TEST_F(TemplateGalleryTest, GalleryPageKeyboardAndCancel)
{
    auto* editor = static_cast<EditorWidget*>(reference.view());
    MainWindowView window(*host, editor);
    window.resize(MainWindowView::startWidth, MainWindowView::startHeight);
    window.show();
    act([&] { host->mainMenu.route(QStringLiteral("mnuFromTemplate")); });
    TemplateGallery* gallery = editor->templateGallery();
    ASSERT_NE(gallery, nullptr);
    ASSERT_TRUE(gallery->isVisible());
    EXPECT_EQ(gallery->geometry(), editor->rect());
    EXPECT_EQ(gallery->categoryList()->count(), reference.templateLibrary().categories().size());
    settle(20);
    // Only what is on screen was drawn, and at least the first row.
    const int shown = gallery->thumbnails().rowCount();
    EXPECT_GT(gallery->thumbnails().renderedCount(), 0);
    EXPECT_LE(gallery->thumbnails().renderedCount(), shown);

    // Arrows move through the designs, Enter uses the one chosen.
    QListView* designs = gallery->designView();
    designs->setFocus();
    QTest::keyClick(designs, Qt::Key_Right);
    EXPECT_EQ(designs->currentIndex().row(), 1);
    const LogoTemplate* second = gallery->currentTemplate();
    ASSERT_NE(second, nullptr);
    QTest::keyClick(designs, Qt::Key_Return);
    settle(10);
    EXPECT_FALSE(gallery->isVisible());
    EXPECT_FALSE(menusLocked());
    EXPECT_EQ(reference.editor().document().elements.size(), reference.templateLibrary().templates()[1].logo.elements.size());

    // Another category, then Escape: the menus come back and the logo stays.
    const LogoDocument before = reference.editor().document();
    act([&] { host->mainMenu.route(QStringLiteral("mnuFromTemplate")); });
    ASSERT_TRUE(gallery->isVisible());
    EXPECT_TRUE(menusLocked());
    EXPECT_TRUE(gallery->selectCategory(QStringLiteral("Monogram")));
    EXPECT_EQ(gallery->currentTemplate()->category, QStringLiteral("Monogram"));
    QTest::keyClick(designs, Qt::Key_Escape);
    settle(10);
    EXPECT_FALSE(gallery->isVisible());
    EXPECT_FALSE(menusLocked());
    EXPECT_EQ(reference.editor().document(), before);

    // The user's own category is empty until a template is saved; then it shows it.
    act([&] { host->mainMenu.route(QStringLiteral("mnuFromTemplate")); });
    ASSERT_TRUE(gallery->selectCategory(TemplateLibrary::ownCategory));
    EXPECT_FALSE(gallery->useButton()->isEnabled());
    gallery->cancelButton()->click();
    settle(10);
    // Saved from the arrow beside Save in the canvas toolbar, under a name the user types.
    QAction* saveAsTemplate = nullptr;
    for (QMenu* menu : editor->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QLatin1String("Save as Template")))
                saveAsTemplate = action;
    ASSERT_NE(saveAsTemplate, nullptr);
    saveAsTemplate->trigger();
    auto* ask = editor->findChild<QInputDialog*>();
    ASSERT_NE(ask, nullptr);
    ask->setTextValue(QStringLiteral("Mine"));
    ask->accept();
    settle(10);
    EXPECT_TRUE(QFileInfo::exists(own.filePath(QStringLiteral("Mine.xml"))));
    act([&] { host->mainMenu.route(QStringLiteral("mnuFromTemplate")); });
    ASSERT_TRUE(gallery->selectCategory(TemplateLibrary::ownCategory));
    ASSERT_NE(gallery->currentTemplate(), nullptr);
    EXPECT_EQ(gallery->currentTemplate()->logo, before);
    gallery->useButton()->click();
    settle(10);
    EXPECT_EQ(reference.editor().document(), before);
    window.hide();
}

} // namespace
} // namespace vm::test
