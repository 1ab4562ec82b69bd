#pragma once

#include "app/wiring/subsystem_seams.h"
#include "canvas/player/startup_canvas.h"
#include "shell/host.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/program_folder.h"
#include "tests/support/test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vm::test {

// The smallest valid movie: header, a 507 x 397 stage, 12 frames a second, one frame.
inline QByteArray minimalMovie()
{
    QByteArray movie("FWS");
    movie.append(char(6));
    movie.append(QByteArray(4, '\0'));
    // RECT: 15-bit fields, xmax 10140 and ymax 7940 twips.
    const QByteArray stage = QByteArray::fromHex("780004f380000f8200");
    movie.append(stage);
    movie.append(QByteArray::fromHex("000c0100"));
    movie.append(QByteArray::fromHex("40000000"));
    const quint32 length = quint32(movie.size());
    for (int i = 0; i < 4; ++i)
        movie[4 + i] = char((length >> (8 * i)) & 0xff);
    return movie;
}

// A program folder of its own (root/Vantamorph) with the shipped texts and
// icons and minimal movies, and a Host on fake platform services.
class HostFixture : public ::testing::Test, protected PlatformParts<> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        programFolder = makeProgramFolder(root);
        writeFile(root.path() + QStringLiteral("/flash/LogoMain.swf"), minimalMovie());
        writeFile(root.path() + QStringLiteral("/flash/DrawBitmap.swf"), minimalMovie());
        os.documents = root.path() + QStringLiteral("/Documents");
        QDir().mkpath(os.documents);
    }

    // What the test left queued runs now, while its host and canvas live: the
    // start-up canvas reports in from the event loop without a context object,
    // so a report left over would run in the next test, on a canvas that is
    // gone or on that test's own canvas where it took the old one's place.
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void makeHost()
    {
        host = std::make_unique<Host>(platform, canvas, bitmap, programFolder);
    }

    // The parts of the host each subsystem under test is built with.
    SubsystemSeams seams() const { return SubsystemSeams(*host); }

    // Starts the program and lets the splash hand over and the canvas report in.
    void startToReady()
    {
        if (!host)
            makeHost();
        host->start();
        runUntil([&] { return host->menuItems.FindItem(QStringLiteral("mnuProject")) != 0 || process.ended(); });
        QCoreApplication::processEvents();
        baseline = canvas.received().size();
    }

    template <class Condition>
    static bool runUntil(Condition condition, int milliseconds = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
        return condition();
    }

    QStringList canvasCommands() const
    {
        QStringList sent;
        for (const auto& [command, argument] : canvas.received())
            sent.append(command + QLatin1Char('|') + argument);
        return sent;
    }

    // What the host sent the canvas since the baseline (the end of start-up).
    QStringList sentCommands() const { return canvasCommands().mid(baseline); }
    void canvasSays(const QString& command, const QString& argument)
    {
        host->dispatcher.skwFlash_FSCommand(command, argument);
    }

    QStringList loggedLabels() const { return trace.matching(QStringLiteral("log ")); }
    QByteArray errorLog() const { return readFile(programFolder + QStringLiteral("/Error.log")); }

    QTemporaryDir root;
    QString programFolder;
    StartupCanvas canvas{QStringLiteral("skwFlash"), trace};
    MoviePlayer bitmap{QStringLiteral("ShockwaveFlash1"), trace};
    std::unique_ptr<Host> host;
    qsizetype baseline = 0;
};

} // namespace vm::test
