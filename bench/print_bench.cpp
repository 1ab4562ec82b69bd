// Cost of one tick of the print-dialog automation with 20 top-level windows
// open and none of them a print window, against an empty timer callback.
#include "print/print_automation.h"
#include "app/wiring/subsystem_seams.h"
#include "shell/host.h"
#include "tests/fakes/fake_platform.h"
#include "canvas/player/startup_canvas.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

struct EnglishLocale : vm::SystemLocale {
    quint32 systemDefaultLcid() override { return 0x0409; }
    int getLocaleInfo(quint32, int, QString* value) override
    {
        const QString name = QStringLiteral("English (United States)");
        if (value)
            *value = name;
        return int(name.size()) + 1;
    }
    QString languageCode() override { return QStringLiteral("en"); }
};

template <class Body>
double nanosecondsPerCall(Body&& body, int calls)
{
    QElapsedTimer clock;
    clock.start();
    for (int index = 0; index < calls; ++index)
        body();
    return double(clock.nsecsElapsed()) / calls;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vm;
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    test::RecordingTrace trace;
    WindowRegistry windows;
    test::FakeFormPresenter forms{windows};
    test::FakeSystemDialogs dialogs;
    test::FakeOsFacts os;
    test::FakeRights rights;
    test::FakeShellOpener shell;
    test::FakeNetworkInfo network;
    test::FakeProcessControl process;
    Platform platform{windows, forms, dialogs, os, rights, shell, network, process, trace};
    StartupCanvas canvas{QStringLiteral("skwFlash"), trace};
    MoviePlayer bitmap{QStringLiteral("ShockwaveFlash1"), trace};
    Host host(platform, canvas, bitmap, folder.path());
    host.state.tempRoot = folder.path();

    for (int index = 0; index < 20; ++index) {
        const WindowHandle window = windows.create(QStringLiteral("ThunderRT6FormDC"), QStringLiteral("Window %1").arg(index));
        windows.create(QStringLiteral("Button"), QStringLiteral("OK"), window);
        windows.create(QStringLiteral("Edit"), QString(), window);
    }
    EnglishLocale locale;
    PrintAutomation automation(SubsystemSeams(host).print(), locale, [] { return PrintTargetState{false, {}, {}, QStringLiteral("logo.eps")}; });

    const int calls = 200000;
    volatile int sink = 0;
    nanosecondsPerCall([&] { automation.Timer1_Timer(); }, 2000); // warm up
    const double empty = nanosecondsPerCall([&] { sink = sink + 1; }, calls);
    const double tick = nanosecondsPerCall([&] { automation.Timer1_Timer(); }, calls / 10);
    const double perSecond = 1000.0 / PrintAutomation::intervalMs;
    std::printf("empty callback: %.1f ns\n", empty);
    std::printf("automation tick, 20 windows, none matching: %.1f ns\n", tick);
    std::printf("share of one core at %d ms: %.4f %% (goal < 1 %%)\n", PrintAutomation::intervalMs,
                (tick - empty) * perSecond / 1e9 * 100.0);
    return 0;
}
