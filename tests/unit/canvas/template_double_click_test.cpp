// A double click with the real mouse on a design in the template gallery:
// the view raises both "activated" and "doubleClicked" for it.
#include "canvas/editor/editor_widget.h"
#include "canvas/gallery/template_gallery.h"
#include "canvas/gallery/template_thumbnails.h"
#include "canvas/logo/shipped_fonts.h"
#include "canvas_test_support.h"
#include "shell/views/main_window_view.h"
#include "templates/template_mode.h"

#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

class TemplateDoubleClickTest : public ReferenceHostTest {
protected:
    void SetUp() override
    {
        ReferenceHostTest::SetUp();
        start();
        registerShippedFonts(QStringLiteral(VM_SOURCE_DIR "/data/fonts"));
        reference.setTemplateFolders(QStringLiteral(VM_SOURCE_DIR "/data/templates"), own.path());
    }
    void plugIn() override { templates = std::make_unique<TemplateMode>(seams().templates(), *flows); }
    qsizetype drawCalls() const { return trace.matching(QStringLiteral("toFlash \"drawtemplate\"")).size(); }
    QTemporaryDir own;
    std::unique_ptr<TemplateMode> templates;
};

TEST_F(TemplateDoubleClickTest, OneDoubleClickUsesTheClickedDesignOnce)
{
    auto* editor = static_cast<EditorWidget*>(reference.view());
    MainWindowView window(*host, editor);
    window.resize(MainWindowView::startWidth, MainWindowView::startHeight);
    window.show();
    act([&] { host->mainMenu.route(QStringLiteral("mnuFromTemplate")); });
    TemplateGallery* gallery = editor->templateGallery();
    ASSERT_NE(gallery, nullptr);
    ASSERT_TRUE(gallery->isVisible());
    settle(20);

    QListView* designs = gallery->designView();
    const QModelIndex second = gallery->thumbnails().index(1);
    const LogoTemplate* clicked = gallery->thumbnails().templateAt(1);
    ASSERT_NE(clicked, nullptr);
    const LogoDocument expected = clicked->logo;
    // What the window system delivers for a double click: a click, then the double click and its release.
    const QPoint centre = designs->visualRect(second).center();
    QTest::mouseClick(designs->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(designs->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(designs->viewport(), Qt::LeftButton, {}, centre);
    settle(20);
    EXPECT_FALSE(gallery->isVisible());
    EXPECT_EQ(drawCalls(), 1);
    EXPECT_EQ(reference.editor().document(), expected);

    // A "drawtemplate" with no design chosen leaves the logo as it is.
    act([&] { host->toFlash(QStringLiteral("drawtemplate"), QStringLiteral("true")); });
    EXPECT_EQ(reference.editor().document(), expected);
    window.hide();
}

} // namespace
} // namespace vm::test
