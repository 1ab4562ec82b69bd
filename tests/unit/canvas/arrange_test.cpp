// Dragging, aligning and distributing: the arithmetic without widgets, then
// through the editor, where every step undoes and redoes whole.
#include "canvas/editing/arrangement.h"
#include "canvas/editing/logo_editor.h"
#include "canvas/editing/snapping.h"
#include "canvas_test_support.h"

#include <QThread>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

const QSizeF stage(500, 400);

TEST(Snapper, PullsTheNearestOfEdgesAndCentresOntoOtherElementsAndTheStageCentre)
{
    // A fixed box from x 100..200, y 50..90.
    const Snapper snapper({QRectF(100, 50, 100, 40)}, stage);

    // Left edge 3 px right of the other's right edge: pulled back onto it.
    Snapper::Result result = snapper.snap(QRectF(203, 300, 30, 30), 5);
    EXPECT_EQ(result.offset, QPointF(-3, 0));
    EXPECT_EQ(result.guides, QList<SnapGuide>({{Qt::Vertical, 200}}));

    // Out of reach on both axes: nothing moves, nothing is drawn.
    result = snapper.snap(QRectF(206, 300, 30, 30), 5);
    EXPECT_TRUE(result.offset.isNull());
    EXPECT_TRUE(result.guides.isEmpty());

    // Its centre (x 152) is closer to the other's centre (150) than its right
    // edge (167) is to anything: the closer line wins; y snaps its top to the top.
    result = snapper.snap(QRectF(137, 52, 30, 10), 5);
    EXPECT_EQ(result.offset, QPointF(-2, -2));
    EXPECT_TRUE(result.guides.contains(SnapGuide{Qt::Vertical, 150}));
    EXPECT_TRUE(result.guides.contains(SnapGuide{Qt::Horizontal, 50}));

    // The stage centre (250, 200) pulls a box's centre.
    result = snapper.snap(QRectF(226, 179, 50, 40), 4);
    EXPECT_EQ(result.offset, QPointF(-1, 1));

    // No reach, no snap (a zoom gone wrong must not move anything).
    EXPECT_TRUE(snapper.snap(QRectF(203, 300, 30, 30), 0).offset.isNull());
    EXPECT_TRUE(snapper.snap(QRectF(203, 300, 30, 30), std::nan("")).offset.isNull());

    // A box as wide as the other: snapping the left edge also lines up the
    // centre and the right edge, and each gets its guide.
    result = Snapper({QRectF(100, 0, 60, 20)}, stage).snap(QRectF(102, 300, 60, 20), 5);
    EXPECT_EQ(result.offset, QPointF(-2, 0));
    EXPECT_EQ(result.guides, QList<SnapGuide>({{Qt::Vertical, 100}, {Qt::Vertical, 130}, {Qt::Vertical, 160}}));
}

TEST(Arrangement, AlignMovesEachBoxOntoTheReferenceOnOneAxisOnly)
{
    const QList<QRectF> boxes = {QRectF(10, 10, 20, 20), QRectF(50, 70, 40, 10)};
    const QRectF reference(0, 0, 100, 100);
    EXPECT_EQ(alignOffsets(boxes, Alignment::Left, reference), QList<QPointF>({{-10, 0}, {-50, 0}}));
    EXPECT_EQ(alignOffsets(boxes, Alignment::Right, reference), QList<QPointF>({{70, 0}, {10, 0}}));
    EXPECT_EQ(alignOffsets(boxes, Alignment::HorizontalCentre, reference), QList<QPointF>({{30, 0}, {-20, 0}}));
    EXPECT_EQ(alignOffsets(boxes, Alignment::Bottom, reference), QList<QPointF>({{0, 70}, {0, 20}}));
    EXPECT_EQ(alignOffsets(boxes, Alignment::VerticalCentre, reference), QList<QPointF>({{0, 30}, {0, -25}}));
}

TEST(Arrangement, DistributeMakesTheGapsEqualWhateverTheOrderAndSizes)
{
    // Given out of order, of different widths: the outer two stay, the gaps even out.
    const QList<QRectF> boxes = {QRectF(200, 0, 50, 10), QRectF(0, 5, 20, 10), QRectF(30, 9, 10, 10), QRectF(150, 0, 30, 10)};
    const QList<QPointF> offsets = distributeOffsets(boxes, Qt::Horizontal);
    QList<QRectF> moved;
    for (int index = 0; index < boxes.size(); ++index)
        moved.append(boxes[index].translated(offsets[index]));
    EXPECT_EQ(offsets[0], QPointF());
    EXPECT_EQ(offsets[1], QPointF());
    // Span 250, covered 110: three gaps of 140 / 3.
    const double gap = 140.0 / 3;
    EXPECT_DOUBLE_EQ(moved[2].left(), 20 + gap);
    EXPECT_DOUBLE_EQ(moved[3].left(), moved[2].right() + gap);
    EXPECT_DOUBLE_EQ(moved[0].left(), moved[3].right() + gap);
    for (const QPointF& offset : offsets)
        EXPECT_EQ(offset.y(), 0);

    // Vertically, and two boxes are already "distributed".
    EXPECT_EQ(distributeOffsets({QRectF(0, 0, 10, 10), QRectF(0, 90, 10, 10), QRectF(0, 20, 10, 10)}, Qt::Vertical)[2], QPointF(0, 25));
    EXPECT_EQ(distributeOffsets({QRectF(0, 0, 10, 10), QRectF(70, 0, 10, 10)}, Qt::Horizontal), QList<QPointF>(2, QPointF()));
}

TEST(Arrangement, TurnedElementsAreMeasuredAsTheyLookAndArrowsStepOneOrTen)
{
    LogoElement element;
    element.position = QPointF(100, 100);
    element.size = QSizeF(80, 20);
    element.rotation = 90;
    const QRectF bounds = visualBounds(element);
    EXPECT_LT((bounds.topLeft() - QPointF(130, 70)).manhattanLength() + std::abs(bounds.width() - 20) + std::abs(bounds.height() - 80), 1e-9)
        << bounds.x() << "," << bounds.y() << " " << bounds.width() << "x" << bounds.height();

    EXPECT_EQ(nudgeStep(Qt::Key_Left, false), QPointF(-1, 0));
    EXPECT_EQ(nudgeStep(Qt::Key_Down, true), QPointF(0, 10));
    EXPECT_TRUE(nudgeStep(Qt::Key_A, true).isNull());
}

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
