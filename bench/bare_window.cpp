// The baseline of the launch benchmark: a bare Qt main window with a menu
// bar, shown, and ended as soon as the event loop has run once.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"&Project", "&Edit", "&Object", "P&anels", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int item = 0; item < 8; ++item)
            menu->addAction(QStringLiteral("Item %1").arg(item));
    }
    window.resize(1000, 760);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
