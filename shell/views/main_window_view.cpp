#include "shell/views/main_window_view.h"

#include "shell/host.h"
#include "shell/views/view_palette.h"
#include "shell/views/virtual_keys.h"
#include "shell/views/widget_window_peer.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

namespace vm {

namespace {
// Deeper than any real menu: a parent loop in the items must not recurse forever.
constexpr int maximumMenuDepth = 16;
constexpr int popupRetryMilliseconds = 50;

constexpr QSize stageSize(507, 397);

// Where the canvas goes when the program runs without one.
class EmptyStage : public QWidget {
public:
    explicit EmptyStage(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("emptyStage")); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), view_palette::background());
        QRect stage(QPoint(0, 0), stageSize);
        stage.moveCenter(rect().center());
        painter.fillRect(stage, Qt::white);
        painter.setPen(view_palette::dark());
        painter.drawRect(stage.adjusted(0, 0, -1, -1));
    }
};

QString colorName(const QList<QRgb>& colors, int index, const QColor& fallback)
{
    return (index < colors.size() ? QColor(colors[index]) : fallback).name();
}
} // namespace

MainWindowView::MainWindowView(Host& host, QWidget* canvasView)
    : QWidget(nullptr, Qt::Window), host_(host), menuBar_(new QMenuBar(this)), canvas_(canvasView)
{
    setObjectName(host.mainForm.name());
    setWindowTitle(host.mainForm.content().caption);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, view_palette::background());
    setPalette(colors);
    setAutoFillBackground(true);

    menuBar_->setObjectName(QStringLiteral("menuBar"));
    menuBar_->setNativeMenuBar(false);
    if (!canvas_) {
        canvas_ = new EmptyStage(this);
        ownCanvas_ = true;
    } else {
        canvas_->setParent(this);
        canvas_->show();
    }

    const int pixels = MainForm::twipsPerPixel;
    setMinimumSize(MainForm::minimumWidthTwips / pixels, MainForm::minimumHeightTwips / pixels);
    QSize start(startWidth, startHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        start = start.boundedTo(available.size()).expandedTo(minimumSize());
        QRect frame(QPoint(0, 0), start);
        frame.moveCenter(available.center());
        setGeometry(frame);
    } else {
        resize(start);
    }

    rebuildTimer_.setSingleShot(true);
    connect(&rebuildTimer_, &QTimer::timeout, this, &MainWindowView::rebuildMenuBar);
    host_.menuItems.onChange([this] { scheduleMenuRebuild(); });
    qApp->installEventFilter(this);
    rebuildMenuBar();
}

MainWindowView::~MainWindowView()
{
    host_.menuItems.onChange(nullptr);
    qApp->removeEventFilter(this);
    // The canvas belongs to the program, not to this window.
    if (canvas_ && !ownCanvas_) {
        canvas_->hide();
        canvas_->setParent(nullptr);
    }
}

void MainWindowView::scheduleMenuRebuild()
{
    // Many item changes in a row make one rebuild.
    if (!rebuildTimer_.isActive())
        rebuildTimer_.start(0);
}

void MainWindowView::rebuildMenuBar()
{
    // Never pull a menu away from under the user.
    if (QApplication::activePopupWidget()) {
        rebuildTimer_.start(popupRetryMilliseconds);
        return;
    }
    rebuildTimer_.stop();
    menuBar_->clear();
    for (const QPointer<QObject>& entry : std::as_const(barEntries_))
        delete entry.data();
    barEntries_.clear();

    for (const MenuItem& item : host_.menuItems.items()) {
        if (!item.parent.isEmpty() || !item.visible)
            continue;
        if (item.style == menu_style::Separator) {
            barEntries_.append(menuBar_->addSeparator());
            continue;
        }
        const bool hasChildren = !item.key.isEmpty() && std::any_of(host_.menuItems.items().cbegin(),
                                                                    host_.menuItems.items().cend(),
                                                                    [&](const MenuItem& child) {
                                                                        return child.parent == item.key
                                                                               && child.visible;
                                                                    });
        if (!hasChildren) {
            QAction* action = makeAction(item, menuBar_);
            menuBar_->addAction(action);
            barEntries_.append(action);
            continue;
        }
        auto* menu = new QMenu(item.caption, menuBar_);
        menu->setObjectName(item.key);
        menu->setEnabled(item.enabled);
        fillMenu(menu, item.key, 1);
        menuBar_->addMenu(menu);
        barEntries_.append(menu);
    }
    applyMenuColors();
    layoutChildren();
}

void MainWindowView::fillMenu(QMenu* menu, const QString& parentKey, int depth)
{
    const QList<MenuItem> items = host_.menuItems.items(); // a copy: building must not see changes
    for (const MenuItem& item : items) {
        if (item.parent != parentKey || !item.visible)
            continue;
        if (item.style == menu_style::Separator) {
            menu->addSeparator();
            continue;
        }
        const bool hasChildren = depth < maximumMenuDepth && !item.key.isEmpty()
                                 && std::any_of(items.cbegin(), items.cend(), [&](const MenuItem& child) {
                                        return child.parent == item.key && child.visible;
                                    });
        if (!hasChildren) {
            menu->addAction(makeAction(item, menu));
            continue;
        }
        QMenu* submenu = menu->addMenu(item.caption);
        submenu->setObjectName(item.key);
        submenu->setEnabled(item.enabled);
        if (item.style == menu_style::Icon && !item.picturePath.isEmpty())
            submenu->setIcon(QIcon(item.picturePath));
        fillMenu(submenu, item.key, depth + 1);
    }
}

QAction* MainWindowView::makeAction(const MenuItem& item, QObject* parent)
{
    QString text = item.caption;
    const QString shortcut = virtual_keys::shortcutText(item.shift, item.keyCode);
    if (!shortcut.isEmpty())
        text += QLatin1Char('\t') + shortcut; // shown only: the window handles the keys
    auto* action = new QAction(text, parent);
    action->setObjectName(item.key);
    action->setEnabled(item.enabled);
    if (item.style == menu_style::Check) {
        action->setCheckable(true);
        action->setChecked(item.checked == 1);
    }
    if (item.style == menu_style::Icon && !item.picturePath.isEmpty())
        action->setIcon(QIcon(item.picturePath));
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] {
        // Run the click once the menu has closed: its route may show a modal
        // window or rebuild this very menu.
        QMetaObject::invokeMethod(this, [this, id] { host_.menuItems.click(id); }, Qt::QueuedConnection);
    });
    return action;
}

void MainWindowView::applyMenuColors()
{
    const QList<QRgb>& colors = host_.menuItems.colors();
    const QString bar = colorName(colors, 0, view_palette::background());
    const QString menu = colorName(colors, 1, view_palette::light());
    const QString highlight = colorName(colors, 2, view_palette::dark());
    const QString highlightLight = colorName(colors, 3, QColor(198, 226, 250));
    const QString text = colorName(colors, 4, Qt::black);
    menuBar_->setStyleSheet(QStringLiteral(
        "QMenuBar { background-color: %1; color: %5; border-bottom: 1px solid %3; }"
        "QMenuBar::item { background: transparent; padding: 4px 10px; }"
        "QMenuBar::item:selected { background-color: %4; color: %5; border: 1px solid %3; }"
        "QMenuBar::item:disabled { color: #5a7896; }"
        "QMenu { background-color: %2; color: %5; border: 1px solid %3; padding: 2px; }"
        "QMenu::item { padding: 4px 28px 4px 28px; border: 1px solid transparent; }"
        "QMenu::item:selected { background-color: %4; border: 1px solid %3; }"
        "QMenu::item:disabled { color: #8a9aa9; }"
        "QMenu::separator { height: 1px; background: %3; margin: 3px 8px; }"
        "QMenu::icon { padding-left: 6px; }")
                                .arg(bar, menu, highlight, highlightLight, text));
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget*>(watched)->window() != this)
        return false;
    return handleShortcut(static_cast<QKeyEvent*>(event));
}

bool MainWindowView::handleShortcut(QKeyEvent* event)
{
    // Menu shortcuts come before the focused control, as accelerators do.
    const int keyCode = virtual_keys::fromQtKey(event->key(), event->modifiers());
    if (keyCode == 0)
        return false;
    MenuItems& items = host_.menuItems;
    const int id = items.findShortcut(virtual_keys::shiftMask(event->modifiers()), keyCode);
    // A disabled item leaves the key to the control (Delete while editing text).
    if (id == 0 || !items.isReachable(id))
        return false;
    items.click(id);
    return true;
}

void MainWindowView::layoutChildren()
{
    const int barHeight = menuBar_->heightForWidth(width()) > 0 ? menuBar_->heightForWidth(width())
                                                                 : menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), barHeight);
    if (!canvas_)
        return;
    const QSize area(width(), std::max(0, height() - barHeight));
    QSize size = host_.canvasLink.size();
    if (!size.isValid() || size.isEmpty())
        size = area;
    canvas_->setGeometry(0, barHeight, std::max(0, size.width()), std::max(0, size.height()));
}

void MainWindowView::geometryChanged()
{
    const WindowHandle window = host_.mainForm.window;
    if (window != 0) {
        host_.platform.windows.noteGeometry(window, toWindowRect(frameGeometry()));
        // Form_Resize may resize the window again: that inner round only records it.
        if (!inGeometryChange_) {
            inGeometryChange_ = true;
            host_.mainForm.Form_Resize();
            inGeometryChange_ = false;
        }
    }
    layoutChildren();
}

void MainWindowView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    geometryChanged();
}

void MainWindowView::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    geometryChanged();
}

void MainWindowView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (const WindowHandle window = host_.mainForm.window)
        host_.platform.windows.noteShown(window, isMinimized() ? show_command::Minimize : show_command::Normal);
}

void MainWindowView::closeEvent(QCloseEvent* event)
{
    // The host decides whether the program ends; the window itself stays.
    event->ignore();
    host_.mainForm.closeBox();
}

} // namespace vm
