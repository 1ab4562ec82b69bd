// The arithmetic behind dragging, aligning and distributing, without widgets.
#include "canvas/editing/arrangement.h"
#include "canvas/editing/snapping.h"
#include "canvas/logo/logo_document.h"

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
}

TEST(Snapper, GuidesShowEveryLineTheLandedBoxTouches)
{
    // Two boxes of the same width stacked: snapping the left edge also lines up
    // the centre and the right edge, and each gets its guide.
    const Snapper snapper({QRectF(100, 0, 60, 20)}, stage);
    const Snapper::Result result = snapper.snap(QRectF(102, 300, 60, 20), 5);
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
    EXPECT_NEAR(bounds.left(), 130, 1e-9);
    EXPECT_NEAR(bounds.top(), 70, 1e-9);
    EXPECT_NEAR(bounds.width(), 20, 1e-9);
    EXPECT_NEAR(bounds.height(), 80, 1e-9);

    EXPECT_EQ(nudgeStep(Qt::Key_Left, false), QPointF(-1, 0));
    EXPECT_EQ(nudgeStep(Qt::Key_Down, true), QPointF(0, 10));
    EXPECT_TRUE(nudgeStep(Qt::Key_A, true).isNull());
}

} // namespace
} // namespace vm::test
