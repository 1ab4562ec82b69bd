// The editor's stage driven as a user would: mouse, keys, the layers list.
#include "canvas/editor/editor_widget.h"
#include "canvas/panels/layers_list.h"
#include "canvas/editing/logo_editor.h"
#include "canvas/reference/reference_canvas.h"
#include "canvas/editor/stage_view.h"
#include "canvas_test_support.h"

#include <QAction>
#include <QHeaderView>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

class StageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widget = static_cast<EditorWidget*>(canvas.view());
        widget->resize(900, 650);
        widget->show();
        LogoDocument logo;
        // Bottom to top: a wide box, a small one over its right end, one far away.
        for (const QRectF& box : {QRectF(20, 20, 200, 100), QRectF(180, 40, 60, 60), QRectF(350, 250, 50, 50)})
            logo.elements.push_back(starIn(box));
        editor().load(logo);
        settle();
    }

    LogoEditor& editor() { return canvas.editor(); }
    quint64 id(int index) { return editor().document().elements[index].id; }
    QWidget* viewport() { return widget->stage()->viewport(); }

    // The mouse on the stage at a point in stage units, as the user moves it.
    void mouse(QEvent::Type type, const QPointF& stagePoint, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = {})
    {
        const QPointF local = widget->stage()->mapFromScene(stagePoint);
        QMouseEvent event(type, local, viewport()->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          modifiers);
        QCoreApplication::sendEvent(viewport(), &event);
    }
    void click(const QPointF& stagePoint)
    {
        mouse(QEvent::MouseButtonPress, stagePoint, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, stagePoint, {});
        settle();
    }
    void drag(const QPointF& from, const QPointF& to, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseMove, to, Qt::LeftButton, modifiers);
        guidesWhileDragging = widget->stage()->guides();
        mouse(QEvent::MouseButtonRelease, to, {}, modifiers);
        settle();
    }

    Trace trace;
    ReferenceCanvas canvas{QStringLiteral("skwFlash"), trace};
    EditorWidget* widget = nullptr;
    QList<SnapGuide> guidesWhileDragging;
};

TEST_F(StageTest, LockedElementsLetClicksThroughAndHiddenOnesAreNotThere)
{
    editor().setLocked({id(1)}, true);
    settle();
    // The small box lies on top, but it is locked: the click picks the wide one below.
    click(QPointF(200, 70));
    EXPECT_EQ(editor().selection(), QSet<quint64>({id(0)}));

    // Dragging where only the locked box is moves nothing.
    editor().select({});
    const LogoDocument before = editor().document();
    drag(QPointF(235, 95), QPointF(300, 200));
    EXPECT_EQ(editor().document(), before);

    // Selected from the layers list, it still does not move with the others.
    editor().select({id(1), id(2)});
    settle();
    drag(QPointF(375, 275), QPointF(395, 275));
    EXPECT_EQ(editor().find(id(1))->position, QPointF(180, 40));
    EXPECT_EQ(editor().find(id(2))->position, QPointF(370, 250));

    // Ctrl+Shift+H hides the selection.
    editor().select({id(2)});
    QTest::keyClick(widget->stage(), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(editor().find(id(2))->hidden);
    settle();
    editor().select({});
    click(QPointF(395, 275));
    EXPECT_TRUE(editor().selection().isEmpty());
}

TEST_F(StageTest, DraggingSnapsToEdgesWithGuidesUnlessAltIsHeld)
{
    // The far box's left edge (350) goes to 2 px right of the wide box's right edge (220)
    // and its top 3 px below the wide box's top: both snap, the guides show, one "Move" step.
    editor().select({id(2)});
    settle();
    drag(QPointF(375, 275), QPointF(375 - 128, 275 - 227));
    EXPECT_EQ(editor().find(id(2))->position, QPointF(220, 20));
    EXPECT_TRUE(guidesWhileDragging.contains(SnapGuide{Qt::Vertical, 220}));
    EXPECT_TRUE(guidesWhileDragging.contains(SnapGuide{Qt::Horizontal, 20}));
    EXPECT_TRUE(widget->stage()->guides().isEmpty()); // gone with the button
    EXPECT_EQ(widget->action(QStringLiteral("undo"))->text(), QStringLiteral("Undo Move"));

    // Zoomed in, 4 stage units are 8 screen px, beyond the reach.
    widget->stage()->setZoom(2);
    settle();
    drag(QPointF(245, 60), QPointF(245 + 4, 60 + 40));
    EXPECT_EQ(editor().find(id(2))->position, QPointF(224, 60));

    // Alt turns snapping off.
    widget->stage()->setZoom(1);
    drag(QPointF(249, 85), QPointF(249 - 2, 85 - 40), Qt::AltModifier);
    EXPECT_EQ(editor().find(id(2))->position, QPointF(222, 20));
    EXPECT_TRUE(guidesWhileDragging.isEmpty());
}

TEST_F(StageTest, ArrowKeysNudgeZoomKeysAndTheUndoButtonsNameTheStep)
{
    editor().select({id(2)});
    widget->stage()->setFocus();
    QTest::keyClick(widget->stage(), Qt::Key_Right);
    QTest::keyClick(widget->stage(), Qt::Key_Right);
    QTest::keyClick(widget->stage(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(editor().find(id(2))->position, QPointF(352, 240));
    EXPECT_EQ(editor().undoStack().count(), 1);

    editor().alignSelected(Alignment::Left);
    EXPECT_EQ(widget->action(QStringLiteral("undo"))->text(), QStringLiteral("Undo Align Left"));
    EXPECT_EQ(widget->action(QStringLiteral("undo"))->toolTip(), QStringLiteral("Undo Align Left (Ctrl+Z)"));
    widget->action(QStringLiteral("undo"))->trigger();
    EXPECT_EQ(widget->action(QStringLiteral("redo"))->text(), QStringLiteral("Redo Align Left"));
    QTest::keyClick(widget->stage(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor().find(id(2))->position.x(), 0);

    // Ctrl+wheel zooms, Ctrl+1 goes back to 100%, Ctrl+0 fits the stage into the view.
    const QPoint middle = viewport()->rect().center();
    QWheelEvent wheel(middle, viewport()->mapToGlobal(middle), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &wheel);
    EXPECT_NEAR(widget->stage()->zoom(), 1.25 * 1.25, 1e-9);
    QTest::keyClick(widget->stage(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(widget->stage()->zoom(), 1);
    QTest::keyClick(widget->stage(), Qt::Key_0, Qt::ControlModifier);
    const QRectF stageOnScreen = widget->stage()->mapFromScene(QRectF(0, 0, 507, 397)).boundingRect();
    EXPECT_TRUE(viewport()->rect().contains(stageOnScreen.toRect()));
    EXPECT_GT(std::max(stageOnScreen.width() / viewport()->width(), stageOnScreen.height() / viewport()->height()), 0.85);
}

TEST_F(StageTest, LayersListShowsTheTopFirstReordersLocksAndFollowsUndo)
{
    widget->showPanel(EditorWidget::Panel::Layers);
    settle();
    LayersList* layers = widget->layersList();
    ASSERT_EQ(layers->topLevelItemCount(), 3);
    EXPECT_EQ(layers->idAt(0), id(2));
    EXPECT_EQ(layers->topLevelItem(0)->text(LayersList::NameColumn), QStringLiteral("star"));

    // Clicking a row selects on the stage; the padlock locks.
    layers->setCurrentItem(layers->topLevelItem(1));
    EXPECT_EQ(editor().selection(), QSet<quint64>({id(1)}));
    const QRect padlock = layers->visualItemRect(layers->topLevelItem(1));
    QTest::mouseClick(layers->viewport(), Qt::LeftButton, {},
                      QPoint(layers->header()->sectionPosition(LayersList::LockedColumn) + 8, padlock.center().y()));
    settle();
    EXPECT_TRUE(editor().find(id(1))->locked);

    // The bottom row dragged to the top; the list follows, and follows the undo.
    const quint64 bottom = layers->idAt(2);
    layers->moveRow(2, 0);
    settle();
    EXPECT_EQ(editor().document().elements.back().id, bottom);
    EXPECT_EQ(layers->idAt(0), bottom);
    editor().undo();
    settle();
    EXPECT_EQ(layers->idAt(2), bottom);

    layers->topLevelItem(0)->setText(LayersList::NameColumn, QStringLiteral("Badge"));
    settle();
    EXPECT_EQ(editor().document().elements.back().name, QStringLiteral("Badge"));
    EXPECT_EQ(editor().undoStack().undoText(), QStringLiteral("Rename"));
}

} // namespace
} // namespace vm::test
