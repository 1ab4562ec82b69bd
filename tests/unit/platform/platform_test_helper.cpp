// Plays the other process in the platform tests:
//   publish DESKTOP TITLE      publishes a main window titled TITLE until stdin closes
//   ask DESKTOP TITLE REQUEST  prints the answer of the window titled TITLE, or <null>
//   end CODE                   leaves unflushed output that only the flush hook writes
#include "platform/api/window_registry.h"
#include "platform/linux/immediate_process_control.h"
#include "platform/linux/local_desktop_channel.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);

    if (mode == QLatin1String("publish") && args.size() == 4) {
        vm::LocalDesktopChannel channel(args[2]);
        vm::WindowRegistry windows(&channel);
        const vm::WindowHandle main = windows.create(QStringLiteral("VantamorphMain"), args[3]);
        windows.publish(main);
        std::printf(channel.isPublished(args[3]) ? "ready\n" : "taken\n");
        std::fflush(stdout);
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
            char buffer[256];
            if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
                app.quit();
        });
        return app.exec();
    }
    if (mode == QLatin1String("ask") && args.size() == 5) {
        vm::LocalDesktopChannel channel(args[2]);
        const QString answer = channel.request(args[3], args[4]);
        std::printf("%s\n", answer.isNull() ? "<null>" : answer.toUtf8().constData());
        return 0;
    }
    if (mode == QLatin1String("end") && args.size() == 3) {
        std::printf("pending"); // stdout is a pipe: this stays in the buffer
        vm::ImmediateProcessControl control([] { std::fflush(stdout); });
        control.endProcess(args[2].toInt());
    }
    return 2;
}
