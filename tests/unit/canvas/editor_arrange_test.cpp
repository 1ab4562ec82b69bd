// Arranging the logo through the editor: every step undoes and redoes whole.
#include "canvas/editing/logo_editor.h"
#include "canvas_test_support.h"

#include <QThread>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

// Three boxes on the stage, the first at the given place; ids in order.
struct ThreeBoxes {
    LogoEditor editor;
    QList<quint64> ids;

    ThreeBoxes()
    {
        LogoDocument logo;
        const QRectF boxes[] = {QRectF(10, 10, 40, 20), QRectF(100, 60, 20, 20), QRectF(300, 30, 60, 40)};
        for (const QRectF& box : boxes)
            logo.elements.push_back(starIn(box));
        editor.load(logo);
        for (const LogoElement& element : editor.document().elements)
            ids.append(element.id);
    }
    const LogoElement& at(int index) const { return *editor.find(ids[index]); }
};

TEST(EditorArrange, AlignToTheSelectionOrToTheStageUndoesAsOneNamedStep)
{
    ThreeBoxes boxes;
    const LogoDocument before = boxes.editor.document();
    boxes.editor.select({boxes.ids[0], boxes.ids[1], boxes.ids[2]});
    boxes.editor.alignSelected(Alignment::Right);
    EXPECT_EQ(boxes.editor.undoStack().undoText(), QStringLiteral("Align Right"));
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(boxes.at(index).box().right(), 360);
    boxes.editor.undo();
    EXPECT_EQ(boxes.editor.document(), before);
    boxes.editor.redo();
    EXPECT_EQ(boxes.at(0).box().right(), 360);

    // One element aligns to the stage (507 x 397).
    boxes.editor.select({boxes.ids[1]});
    boxes.editor.alignSelected(Alignment::VerticalCentre);
    EXPECT_EQ(boxes.at(1).box().center().y(), 397 / 2.0);

    // A locked element keeps its place; the others still align.
    boxes.editor.setLocked({boxes.ids[2]}, true);
    boxes.editor.select({boxes.ids[0], boxes.ids[1], boxes.ids[2]});
    boxes.editor.alignSelected(Alignment::Top);
    EXPECT_EQ(boxes.at(2).position, QPointF(300, 30));
    EXPECT_EQ(boxes.at(0).position.y(), boxes.at(1).position.y());
}

TEST(EditorArrange, DistributeFlipLockHideRenameAndReorderEachUndo)
{
    ThreeBoxes boxes;
    const LogoDocument start = boxes.editor.document();
    boxes.editor.select({boxes.ids[0], boxes.ids[1], boxes.ids[2]});
    boxes.editor.distributeSelected(Qt::Horizontal);
    // Span 10..360 holds 120 of boxes: gaps of 115.
    EXPECT_EQ(boxes.at(1).position.x(), 50 + 115);
    boxes.editor.flipSelected(Qt::Horizontal);
    boxes.editor.flipSelected(Qt::Vertical);
    boxes.editor.flipSelected(Qt::Vertical);
    EXPECT_TRUE(boxes.at(0).flipHorizontal);
    EXPECT_FALSE(boxes.at(0).flipVertical);
    boxes.editor.setHidden({boxes.ids[1]}, true);
    boxes.editor.setLocked({boxes.ids[1]}, true);
    boxes.editor.setLocked({boxes.ids[1]}, true); // already: no step
    boxes.editor.rename(boxes.ids[0], QStringLiteral("  Main   star "));
    boxes.editor.moveLayer(boxes.ids[0], 2);
    boxes.editor.moveLayer(boxes.ids[0], 99); // already on top: no step
    EXPECT_EQ(boxes.editor.document().elements.back().name, QStringLiteral("Main star"));
    EXPECT_TRUE(boxes.at(1).hidden && boxes.at(1).locked);

    const QStringList expected = {"Distribute Horizontally", "Flip Horizontally", "Flip Vertically", "Flip Vertically", "Hide", "Lock",
                                  "Rename", "Reorder"};
    ASSERT_EQ(boxes.editor.undoStack().count(), expected.size());
    for (int index = 0; index < expected.size(); ++index)
        EXPECT_EQ(boxes.editor.undoStack().text(index), expected[index]);
    // All the way back and forth again.
    const LogoDocument end = boxes.editor.document();
    while (boxes.editor.undoStack().canUndo())
        boxes.editor.undo();
    EXPECT_EQ(boxes.editor.document(), start);
    while (boxes.editor.undoStack().canRedo())
        boxes.editor.redo();
    EXPECT_EQ(boxes.editor.document(), end);
}

TEST(EditorArrange, ABurstOfNudgesIsOneStepAndAPauseStartsAnother)
{
    ThreeBoxes boxes;
    boxes.editor.select({boxes.ids[0]});
    for (int press = 0; press < 5; ++press)
        boxes.editor.nudgeSelected(QPointF(1, 0));
    boxes.editor.nudgeSelected(QPointF(0, 10));
    EXPECT_EQ(boxes.at(0).position, QPointF(15, 20));
    EXPECT_EQ(boxes.editor.undoStack().count(), 1);
    EXPECT_EQ(boxes.editor.undoStack().undoText(), QStringLiteral("Move"));

    // A drag right after the nudges is a step of its own, though it is also a "Move".
    boxes.editor.moveTo({{boxes.ids[0], QPointF(40, 40)}});
    EXPECT_EQ(boxes.editor.undoStack().count(), 2);
    boxes.editor.undo();
    EXPECT_EQ(boxes.at(0).position, QPointF(15, 20));

    // Another selection is another step; so is the same one after a pause.
    boxes.editor.select({boxes.ids[1]});
    boxes.editor.nudgeSelected(QPointF(-1, 0));
    EXPECT_EQ(boxes.editor.undoStack().count(), 2);
    QThread::msleep(1000);
    boxes.editor.nudgeSelected(QPointF(-1, 0));
    EXPECT_EQ(boxes.editor.undoStack().count(), 3);

    boxes.editor.undo();
    boxes.editor.undo();
    boxes.editor.undo();
    EXPECT_EQ(boxes.at(0).position, QPointF(10, 10));
    EXPECT_EQ(boxes.at(1).position, QPointF(100, 60));

    // A locked element does not nudge, and leaves no empty step.
    boxes.editor.setLocked({boxes.ids[2]}, true);
    const int steps = boxes.editor.undoStack().count();
    boxes.editor.select({boxes.ids[2]});
    boxes.editor.nudgeSelected(QPointF(10, 0));
    EXPECT_EQ(boxes.at(2).position, QPointF(300, 30));
    EXPECT_EQ(boxes.editor.undoStack().count(), steps);
}

} // namespace
} // namespace vm::test
