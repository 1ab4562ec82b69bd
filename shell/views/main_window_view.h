#pragma once

#include "shell/views/form_view.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QMenu;
class QMenuBar;
class QAction;

namespace vm {

class Host;
struct MenuItem;

// The main window: the menu bar drawn from the host's menu items, and the
// canvas below it. Size, title bar and closing are the main form's business;
// this view reports what the user did and mirrors what the form decided.
class MainWindowView : public QWidget, public FormView {
    Q_OBJECT
public:
    static constexpr int startWidth = 1000;
    static constexpr int startHeight = 760;

    // canvasView may be nullptr: an empty stage stands in for it.
    MainWindowView(Host& host, QWidget* canvasView);
    ~MainWindowView() override;

    void refreshContent() override {}
    bool titleFromContent() const override { return false; }

    QMenuBar* menuBar() const { return menuBar_; }
    QWidget* canvasView() const { return canvas_; }
    // Makes the bar anew at once (normally a change schedules it).
    void rebuildMenuBar();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void scheduleMenuRebuild();
    void applyMenuColors();
    void fillMenu(QMenu* menu, const QString& parentKey, int depth);
    QAction* makeAction(const MenuItem& item, QObject* parent);
    void geometryChanged();
    void layoutChildren();
    bool handleShortcut(QKeyEvent* event);

    Host& host_;
    QMenuBar* menuBar_;
    QPointer<QWidget> canvas_;
    bool ownCanvas_ = false;
    QList<QPointer<QObject>> barEntries_; // the bar's menus and actions, deleted at the next rebuild
    QTimer rebuildTimer_;
    bool inGeometryChange_ = false;
};

} // namespace vm
