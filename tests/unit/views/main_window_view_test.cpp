#include "shell/host.h"
#include "shell/menu_tree.h"
#include "shell/views/host_views.h"
#include "shell/views/main_window_view.h"
#include "shell/views/qt_form_presenter.h"
#include "shell/views/wait_view.h"
#include "tests/unit/views/view_fakes.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <memory>

namespace vm::test {
namespace {

// The host on fake services, its main window shown the way start-up leaves it:
// menus loaded, window enabled, title bar back.
class MainWindowViewTest : public ::testing::Test, protected QtPlatformParts {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        host = std::make_unique<Host>(platform, canvas, bitmap, folder);
        registerHostViews(forms, *host, nullptr);
        forms.showModeless(host->mainForm, nullptr);
        host->mainMenu.LoadMenus();
        host->mainForm.setEnabled(true);
        host->mainMenu.mnuActivate();
        QCoreApplication::processEvents();
        view = qobject_cast<MainWindowView*>(forms.widgetOf(host->mainForm));
        ASSERT_NE(view, nullptr);
        for (const MenuItem& item : host->menuItems.items())
            if (!item.key.isEmpty())
                host->mainMenu.on(item.key, [this, key = item.key] { routed.append(key); });
    }

    void TearDown() override
    {
        // The views hold on to the host: they go first.
        forms.unload(host->mainForm);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host.reset();
    }

    QAction* action(const QString& key) const { return view->menuBar()->findChild<QAction*>(key); }

    std::unique_ptr<Host> host;
    MainWindowView* view = nullptr;
    QStringList routed;
};

TEST_F(MainWindowViewTest, MenuBarFollowsTheMenuItems)
{
    QStringList titles;
    for (QAction* top : view->menuBar()->actions())
        titles.append(top->text());
    QStringList expected;
    for (const char* key : {"mnuProject", "mnuEdit", "mnuObject", "mnuPanels", "mnuMHelp", "mnuFromTemplate"})
        expected.append(host->menuItems.ItemCaption(host->menuItems.FindItem(QLatin1String(key))));
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(titles.first(), QStringLiteral("&Project"));
    // Whatever its caption's source (a language key, another item's key, a fixed text), no entry is blank.
    EXPECT_FALSE(titles.contains(QString()));
    for (QAction* entry : view->menuBar()->findChildren<QAction*>())
        if (entry->objectName().startsWith(QStringLiteral("mnu")))
            EXPECT_FALSE(entry->text().isEmpty()) << entry->objectName().toStdString();
    auto* publish = view->menuBar()->findChild<QMenu*>(QStringLiteral("mnuPublishLogo"));
    ASSERT_NE(publish, nullptr);
    EXPECT_EQ(publish->actions().first()->text(), QStringLiteral("&Publish Logo...\tCtrl+L"));

    ASSERT_NE(action(QStringLiteral("mnuSave")), nullptr);
    EXPECT_EQ(action(QStringLiteral("mnuSave"))->text(), QStringLiteral("&Save\tCtrl+S"));
    EXPECT_FALSE(action(QStringLiteral("mnuSave"))->icon().isNull());
    QAction* bonding = action(QStringLiteral("mnuBondingObjects"));
    ASSERT_NE(bonding, nullptr);
    EXPECT_TRUE(bonding->isCheckable());
    EXPECT_TRUE(bonding->isChecked());

    // Many changes, one rebuild later: the bar shows the items' new state.
    host->mainMenu.setGroupEnabled(editingGroup(), false);
    host->menuItems.setItemCaption(host->menuItems.FindItem(QStringLiteral("mnuSave")), QStringLiteral("Keep"));
    QCoreApplication::processEvents();
    EXPECT_EQ(action(QStringLiteral("mnuSave"))->text(), QStringLiteral("Keep\tCtrl+S"));
    for (const QString& key : editingGroup()) {
        if (QAction* entry = action(key)) {
            EXPECT_FALSE(entry->isEnabled()) << key.toStdString();
        }
    }
}

TEST_F(MainWindowViewTest, MenuClickRunsAfterTheMenuClosesAndTogglesCheckItems)
{
    action(QStringLiteral("mnuBondingObjects"))->trigger();
    EXPECT_TRUE(routed.isEmpty()); // not while the menu's own signal runs
    QCoreApplication::processEvents();
    EXPECT_EQ(routed, QStringList{"mnuBondingObjects"});
    EXPECT_EQ(host->menuItems.ItemChecked(host->menuItems.FindItem(QStringLiteral("mnuBondingObjects"))), 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(action(QStringLiteral("mnuBondingObjects"))->isChecked());
}

TEST_F(MainWindowViewTest, ShortcutsTriggerTheirItemsOnlyWhenReachable)
{
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Delete);
    QTest::keyClick(view, Qt::Key_Exclam, Qt::ShiftModifier); // Shift+1 on a US layout
    QTest::keyClick(view, Qt::Key_1, Qt::ShiftModifier);
    QTest::keyClick(view->canvasView(), Qt::Key_F1); // from a control inside the window
    EXPECT_EQ(routed, (QStringList{"mnuSave", "mnuDelete", "mnuQuick", "mnuQuick", "mnuHelp"}));

    routed.clear();
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_S);
    QTest::keyClick(view, Qt::Key_1);
    host->menuItems.setItemEnabled(QStringLiteral("mnuDelete"), false);
    QTest::keyClick(view, Qt::Key_Delete);
    host->menuItems.setItemEnabled(QStringLiteral("mnuEdit"), false);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier); // its menu is disabled
    EXPECT_TRUE(routed.isEmpty()) << routed.join(QLatin1Char(' ')).toStdString();
}

TEST_F(MainWindowViewTest, WindowMirrorsTheRegistryAndReportsTheUser)
{
    const WindowHandle window = host->mainForm.window;
    ASSERT_NE(window, 0u);
    EXPECT_EQ(windows.findWindow(QString(), MainForm::caption), window);
    EXPECT_TRUE(view->windowFlags() & Qt::WindowCloseButtonHint); // title bar back after activation

    windows.setText(window, QStringLiteral("Renamed"));
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Renamed"));
    host->mainForm.ShowTitleBar(false);
    EXPECT_FALSE(view->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(view->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(view->isVisible());
    host->mainForm.ShowTitleBar(true);
    EXPECT_TRUE(view->windowFlags() & Qt::WindowMaximizeButtonHint);

    windows.setWindowPos(window, {40, 30, 900, 700});
    EXPECT_EQ(view->frameGeometry().size(), QSize(900, 700));
    EXPECT_EQ(windows.rect(window).width, view->frameGeometry().width());
    // Form_Resize sized the canvas from the window; the stage sits under the bar.
    EXPECT_EQ(canvas.size().width(), 900);
    EXPECT_EQ(view->canvasView()->geometry(),
              QRect(QPoint(0, view->menuBar()->geometry().bottom() + 1), canvas.size()));

    view->resize(500, 400); // below the minimum: the window will not go there
    EXPECT_GE(view->frameGeometry().width(), MainForm::minimumWidthTwips / MainForm::twipsPerPixel);

    host->mainForm.setEnabled(false);
    EXPECT_FALSE(view->isEnabled());
    host->mainForm.setEnabled(true);

    bool asked = false;
    host->lifeCycle.own(LifeCycle::closeQuestion, [&] { asked = true; });
    view->close();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(forms.isLoaded(host->mainForm));
    EXPECT_TRUE(view->isVisible());

    windows.setText(window, MainForm::caption);
    view->resize(MainWindowView::startWidth, MainWindowView::startHeight);
    QCoreApplication::processEvents();
    ASSERT_TRUE(view->grab().save(QStringLiteral(VM_VIEWS_SHOT_DIR "/views_main_window.png")));
    auto* project = view->menuBar()->findChild<QMenu*>(QStringLiteral("mnuProject"));
    project->popup(view->mapToGlobal(QPoint(0, view->menuBar()->height())));
    QCoreApplication::processEvents();
    project->grab().save(QStringLiteral(VM_VIEWS_SHOT_DIR "/views_project_menu.png"));
    project->hide();
}

TEST_F(MainWindowViewTest, DialogsSitOverTheMainWindowAndTheWaitWindowKeepsAnimating)
{
    QWidget* alertParent = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget* alert = forms.widgetOf(host->messages.alertForm());
        ASSERT_NE(alert, nullptr);
        alertParent = alert->parentWidget();
        QTest::keyClick(alert, Qt::Key_Enter);
    });
    host->messages.Alert(QStringLiteral("Your logo was published."), &host->mainForm);
    EXPECT_EQ(alertParent, view);
    EXPECT_FALSE(forms.isLoaded(host->messages.alertForm()));

    int stepsSeen = 0;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* wait = qobject_cast<WaitView*>(forms.widgetOf(host->waitForm));
        ASSERT_NE(wait, nullptr);
        wait->close(); // only the publish may close it
        QTest::keyClick(wait, Qt::Key_Escape);
        const int first = wait->indicator()->step();
        QTimer::singleShot(200, [&, wait, first] {
            stepsSeen = (wait->indicator()->step() - first + 12) % 12;
            stayedOpen = forms.isLoaded(host->waitForm) && wait->isVisible();
            wait->grab().save(QStringLiteral(VM_VIEWS_SHOT_DIR "/views_wait.png"));
            forms.unload(host->waitForm);
        });
    });
    forms.showModal(host->waitForm, &host->mainForm);
    EXPECT_TRUE(stayedOpen);
    EXPECT_GT(stepsSeen, 0);
}

} // namespace
} // namespace vm::test
