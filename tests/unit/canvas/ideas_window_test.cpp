#include "canvas/editor/editor_widget.h"
#include "canvas/ideas/idea_generator.h"
#include "canvas/wizard/idea_board.h"
#include "canvas/wizard/idea_card_delegate.h"
#include "canvas/wizard/idea_request_form.h"
#include "canvas/wizard/ideas_window.h"
#include "canvas/wizard/keyword_field.h"
#include "canvas_test_support.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <gtest/gtest.h>

namespace vm::test {
namespace {

constexpr int waitMs = 20000;

// The editor on a loaded canvas, shown offscreen, and its ideas window driven as a user would.
class IdeasWindowTest : public LoadedCanvasTest {
protected:
    void SetUp() override
    {
        LoadedCanvasTest::SetUp();
        widget = static_cast<EditorWidget*>(driver.canvas.view());
        widget->resize(1000, 700);
        widget->show();
        settle();
    }
    void TearDown() override
    {
        delete widget->ideasWindow();
        widget->hide();
    }

    IdeasWindow* open()
    {
        widget->openIdeas();
        IdeasWindow* window = widget->ideasWindow();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        return window;
    }

    // Types the name and presses Enter, as the user starts a search.
    static void search(IdeasWindow& window, const QString& name)
    {
        window.form()->nameField()->setText(name);
        QTest::keyClick(window.form()->nameField(), Qt::Key_Return);
    }

    static bool finished(IdeasWindow& window, int rows)
    {
        return !window.streaming() && window.board()->rowCount() == rows;
    }

    static void searchAndWait(IdeasWindow& window, const QString& name)
    {
        search(window, name);
        QTRY_VERIFY_WITH_TIMEOUT(finished(window, IdeasWindow::ideaCount), waitMs);
    }

    static void select(IdeasWindow& window, int row) { window.grid()->setCurrentIndex(window.board()->index(row)); }

    static QRect cellOf(IdeasWindow& window, int row)
    {
        window.grid()->scrollTo(window.board()->index(row));
        return window.grid()->visualRect(window.board()->index(row));
    }

    // A double click as the window system delivers it: press, release, double-click, release.
    static void doubleClick(QWidget* widget, const QPoint& at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }

    static QPoint middleOf(IdeasWindow& window, int row)
    {
        const QRect cell = cellOf(window, row);
        return cell.center() - QPoint(0, 20); // on the preview, clear of the star
    }

    EditorWidget* widget = nullptr;
};

TEST_F(IdeasWindowTest, ChosenIdeaBecomesTheNewUnsavedLogoThroughWizardFinish)
{
    const struct {
        const char* how;
        bool publish;
        int row;
        std::function<void(IdeasWindow&)> choose;
        const char* raised;
    } cases[] = {
        {"Enter in the grid", false, 4, [](IdeasWindow& window) { QTest::keyClick(window.grid(), Qt::Key_Return); },
         "wizard finish|done"},
        {"Use this idea, publishing", true, 0, [](IdeasWindow& window) { window.useButton()->click(); },
         "wizard finish|publish"},
        // A double click also activates the item: it must still be one choice.
        {"double click", false, 7,
         [](IdeasWindow& window) { doubleClick(window.grid()->viewport(), middleOf(window, 7)); },
         "wizard finish|done"},
    };
    for (const auto& [how, publish, row, choose, raised] : cases) {
        SCOPED_TRACE(how);
        driver.canvas.editor().replaceAll(everyKindLogo(), QStringLiteral("Before"));
        driver.send(QStringLiteral("show save"), root.path() + QStringLiteral("/before.vmp"));
        driver.take();
        QPointer<IdeasWindow> window = open();
        searchAndWait(*window, QStringLiteral("Nordic Bakery"));
        select(*window, row);
        window->publishBox()->setChecked(publish);
        const LogoDocument idea = window->currentCard()->idea.logo;
        choose(*window);
        settle();
        EXPECT_EQ(driver.take(), QStringList({"datatosave|true", QString::fromLatin1(raised)}));
        EXPECT_EQ(logo(), idea);
        EXPECT_EQ(driver.canvas.lastPath(), QStringLiteral("New"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull()) << "the window stays after the choice";
    }
}

TEST_F(IdeasWindowTest, CancelAndEscapeCloseEvenWhileIdeasStreamAndLeaveTheLogoAlone)
{
    const struct {
        const char* how;
        std::function<void(IdeasWindow&)> leave;
    } cases[] = {
        {"Cancel", [](IdeasWindow& window) { window.cancelButton()->click(); }},
        {"Escape in the grid", [](IdeasWindow& window) { QTest::keyClick(window.grid(), Qt::Key_Escape); }},
        {"Escape in the name", [](IdeasWindow& window) { QTest::keyClick(window.form()->nameField(), Qt::Key_Escape); }},
    };
    driver.canvas.editor().replaceAll(everyKindLogo(), QStringLiteral("Before"));
    settle();
    driver.take();
    for (const auto& [how, leave] : cases) {
        SCOPED_TRACE(how);
        QPointer<IdeasWindow> window = open();
        search(*window, QStringLiteral("Harbour Florist"));
        QTRY_VERIFY_WITH_TIMEOUT(window->board()->rowCount() > 0, waitMs);
        leave(*window);
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(logo(), everyKindLogo());
        EXPECT_TRUE(driver.take().isEmpty());
    }
}

TEST_F(IdeasWindowTest, SixtyIdeasStreamInOrderTheFirstScreenfulFirstWithoutHoldingTheWindow)
{
    IdeasWindow* window = open();
    QList<int> deliveries;
    QObject::connect(window->board(), &QAbstractItemModel::rowsInserted, window->board(),
                     [&](const QModelIndex&, int first, int last) { deliveries.append(last - first + 1); });
    // The window's own loop keeps turning: the longest gap between two ticks of a fast timer.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    ticker.start(5);
    sinceTick.start();
    searchAndWait(*window, QStringLiteral("Nordic Bakery"));
    ticker.stop();

    ASSERT_GE(deliveries.size(), 2) << "all ideas arrived at once";
    EXPECT_EQ(deliveries.first(), window->firstScreenful());
    EXPECT_GE(window->firstScreenful(), 6);
    EXPECT_LT(window->firstScreenful(), IdeasWindow::ideaCount);
    for (int row = 0; row < IdeasWindow::ideaCount; ++row)
        EXPECT_EQ(window->board()->cardAt(row)->idea.number, row + 1) << "row " << row;
    QTRY_VERIFY_WITH_TIMEOUT(window->firstScreenfulMs() >= 0, waitMs);
    std::printf("first screenful of %d ideas painted after %lld ms; longest pause of the window %lld ms\n",
                window->firstScreenful(), qlonglong(window->firstScreenfulMs()), qlonglong(longestGap));
    EXPECT_LT(longestGap, 1000) << "the window stopped answering while ideas were made";
}

TEST_F(IdeasWindowTest, MoreLikeThisShowsTheVariationsOfTheSelectedIdeaAndBackReturns)
{
    IdeasWindow* window = open();
    searchAndWait(*window, QStringLiteral("Lotus Yoga"));
    select(*window, 2);
    const IdeaCard base = *window->currentCard();
    window->moreButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(finished(*window, IdeasWindow::variationCount), waitMs);
    EXPECT_EQ(window->board()->shown(), IdeaBoard::Shown::Variations);
    EXPECT_TRUE(window->backButton()->isVisible());
    const std::vector<ideas::Idea> expected = driver.canvas.ideaGenerator()->variations(base.request, base.idea,
                                                                                        IdeasWindow::variationCount);
    ASSERT_EQ(expected.size(), size_t(IdeasWindow::variationCount));
    for (int row = 0; row < IdeasWindow::variationCount; ++row)
        EXPECT_EQ(window->board()->cardAt(row)->idea.logo, expected[size_t(row)].logo) << "variation " << row;

    window->backButton()->click();
    EXPECT_EQ(window->board()->shown(), IdeaBoard::Shown::Ideas);
    EXPECT_EQ(window->board()->rowCount(), IdeasWindow::ideaCount);
    EXPECT_FALSE(window->backButton()->isVisible());
}

TEST_F(IdeasWindowTest, StarsStayAcrossSearchesAndComeBackWithTheSameIdea)
{
    IdeasWindow* window = open();
    searchAndWait(*window, QStringLiteral("Alpha Garage"));
    const auto starred = [window](int row) { return window->board()->index(row).data(IdeaBoard::StarredRole).toBool(); };
    // Space stars the current card; a click on a card's star stars that card and does not choose it.
    select(*window, 1);
    QTest::keyClick(window->grid(), Qt::Key_Space);
    const QRect third = cellOf(*window, 3);
    // A double click on a star must not choose the idea; a click then stars it.
    doubleClick(window->grid()->viewport(), IdeaCardDelegate::starRect(third).center());
    settle();
    EXPECT_TRUE(driver.take().isEmpty()) << "a double click on the star chose the idea";
    EXPECT_EQ(window->board()->rowCount(), IdeasWindow::ideaCount);
    if (starred(3))
        window->board()->toggleStar(3);
    QTest::mouseClick(window->grid()->viewport(), Qt::LeftButton, {}, IdeaCardDelegate::starRect(third).center());
    EXPECT_TRUE(starred(1));
    EXPECT_TRUE(starred(3));
    EXPECT_FALSE(starred(2));
    const LogoDocument first = window->board()->cardAt(1)->idea.logo;

    searchAndWait(*window, QStringLiteral("Beta Law Firm"));
    EXPECT_FALSE(starred(1)) << "another name's idea shows a star";
    window->starredButton()->click();
    ASSERT_EQ(window->board()->rowCount(), 2);
    EXPECT_EQ(window->board()->cardAt(0)->idea.logo, first);

    // The same search again: its starred ideas show their stars.
    searchAndWait(*window, QStringLiteral("Alpha Garage"));
    EXPECT_TRUE(starred(1));
    EXPECT_TRUE(starred(3));

    // Unstarring in the starred list takes the card off it.
    window->starredButton()->click();
    window->board()->toggleStar(0);
    EXPECT_EQ(window->board()->rowCount(), 1);
    EXPECT_EQ(window->board()->starredCount(), 1);
}

TEST_F(IdeasWindowTest, EmptyStageOffersStartFromYourNameAndTheWandOpensTheSameWindow)
{
    driver.canvas.editor().replaceAll(LogoDocument(), QStringLiteral("Empty"));
    settle();
    ASSERT_NE(widget->startButton(), nullptr);
    EXPECT_TRUE(widget->startButton()->isVisible());
    QTest::mouseClick(widget->startButton(), Qt::LeftButton);
    IdeasWindow* window = widget->ideasWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());

    QAction* wand = widget->action(QStringLiteral("ideas"));
    ASSERT_NE(wand, nullptr);
    EXPECT_EQ(wand->toolTip(), QStringLiteral("Logo ideas"));
    wand->trigger();
    EXPECT_EQ(widget->ideasWindow(), window) << "a second window opened";

    driver.send(QStringLiteral("drawnewtext"), QStringLiteral("True"));
    EXPECT_FALSE(widget->startButton()->isVisible());
}

TEST_F(IdeasWindowTest, TheFormAsksWithWhatWasTypedAndNotWithoutAName)
{
    IdeasWindow* window = open();
    IdeaRequestForm& form = *window->form();
    form.fill(QStringLiteral("  Nordic   Bakery "), QStringLiteral("Fresh bread since 1962"), QStringLiteral("bakery, bread bakery"),
              {QStringLiteral("classic"), QStringLiteral("playful")}, QStringLiteral("orange"));
    const ideas::IdeaRequest request = form.request();
    EXPECT_EQ(request.name, QStringLiteral("Nordic Bakery"));
    EXPECT_EQ(request.tagline, QStringLiteral("Fresh bread since 1962"));
    EXPECT_EQ(request.keywords, QStringList({"bakery", "bread"}));
    EXPECT_EQ(request.moods, QStringList({"classic", "playful"}));
    EXPECT_EQ(request.colourFamily, QStringLiteral("orange"));
    form.colourBox()->setCurrentIndex(0);
    EXPECT_TRUE(form.request().colourFamily.isEmpty()) << "\"Any colours\" names a family";

    form.nameField()->setText(QStringLiteral("   "));
    form.showButton()->click();
    settle();
    EXPECT_FALSE(window->streaming());
    EXPECT_EQ(window->board()->rowCount(), 0);
}

TEST(KeywordField, ASuggestionReplacesTheWordBeingTyped)
{
    KeywordField field([](const QString& prefix) {
        QStringList found;
        for (const char* word : {"bread", "breakfast", "brewery", "cake"})
            if (QString::fromLatin1(word).startsWith(prefix))
                found.append(QString::fromLatin1(word));
        return found;
    });
    field.show();
    QTest::keyClicks(&field, QStringLiteral("cake, Bre"));
    ASSERT_TRUE(field.suggestions()->popup()->isVisible());
    EXPECT_EQ(field.suggestions()->completionModel()->rowCount(), 3);
    emit field.suggestions()->activated(QStringLiteral("bread"));
    EXPECT_EQ(field.text(), QStringLiteral("cake, bread, "));
    EXPECT_EQ(field.keywords(), QStringList({"cake", "bread"}));
    QTest::keyClicks(&field, QStringLiteral("x"));
    EXPECT_FALSE(field.suggestions()->popup()->isVisible());
}

} // namespace
} // namespace vm::test
