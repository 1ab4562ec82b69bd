#include "platform_test_support.h"

#include "platform/api/window_registry.h"
#include "platform/linux/local_desktop_channel.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>
#include <gtest/gtest.h>

namespace vm {
namespace {

using test::endGently;
using test::privateDesktop;
using test::startPublisher;

const QString mainTitle = QStringLiteral("Vantamorph \u2013 Logo 1  "); // two trailing blanks on purpose

// Runs the helper's "ask" while our event loop serves our own publications.
QString askFromOtherProcess(const QString& desktop, const QString& title, const QString& what)
{
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    process.start(test::helperPath(), {QStringLiteral("ask"), desktop, title, what});
    loop.exec();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

TEST(LocalDesktopChannel, FindsTheOtherCopyByExactTitleOnItsDesktopOnly)
{
    const QString desktop = privateDesktop();
    QString first;
    auto publisher = startPublisher(desktop, mainTitle, &first);
    ASSERT_EQ(first, "ready");

    LocalDesktopChannel channel(desktop);
    EXPECT_EQ(channel.request(mainTitle, "isiconic"), "0");
    EXPECT_EQ(channel.request(mainTitle, "class"), "VantamorphMain");
    EXPECT_TRUE(channel.request(mainTitle.chopped(1), "isiconic").isNull());
    EXPECT_TRUE(channel.request(mainTitle.trimmed(), "isiconic").isNull());
    EXPECT_TRUE(LocalDesktopChannel(desktop + "b").request(mainTitle, "isiconic").isNull());
    EXPECT_TRUE(LocalDesktopChannel().request(mainTitle, "isiconic").isNull());

    // The window's state lives in the other process and changes there.
    EXPECT_EQ(channel.request(mainTitle, "show 6"), "ok");
    EXPECT_EQ(channel.request(mainTitle, "isiconic"), "1");
    WindowRegistry windows(&channel);
    const WindowHandle remote = windows.findWindow("vantamorphmain", mainTitle);
    ASSERT_TRUE(WindowRegistry::isRemote(remote));
    EXPECT_TRUE(windows.isIconic(remote));
    windows.showWindow(remote, show_command::Restore);
    EXPECT_FALSE(windows.isIconic(remote));
    EXPECT_EQ(windows.findWindow("#32770", mainTitle), 0u);

    // A second copy cannot take a title that a live copy answers for.
    QString secondFirst;
    auto second = startPublisher(desktop, mainTitle, &secondFirst);
    EXPECT_EQ(secondFirst, "taken");
    endGently(*second);
    EXPECT_EQ(channel.request(mainTitle, "isiconic"), "0");

    endGently(*publisher);
}

TEST(LocalDesktopChannel, MalformedInputNeitherCrashesNorBlocksThePublisher)
{
    const QString desktop = privateDesktop();
    QString first;
    auto publisher = startPublisher(desktop, mainTitle, &first);
    ASSERT_EQ(first, "ready");
    LocalDesktopChannel channel(desktop);

    QLocalSocket flood;
    flood.connectToServer(channel.endpointName(mainTitle));
    ASSERT_TRUE(flood.waitForConnected(1000));
    flood.write(QByteArray(LocalDesktopChannel::maximumLineLength + 4096, 'x'));
    flood.flush();
    EXPECT_TRUE(flood.state() == QLocalSocket::UnconnectedState || flood.waitForDisconnected(2000));

    QLocalSocket garbage;
    garbage.connectToServer(channel.endpointName(mainTitle));
    ASSERT_TRUE(garbage.waitForConnected(1000));
    garbage.write(QByteArray("\xff\xfe\0show x\n\n", 11));
    garbage.flush();
    QByteArray replies;
    for (int i = 0; i < 20 && replies.count('\n') < 2 && garbage.waitForReadyRead(200);)
        replies += garbage.readAll();
    EXPECT_EQ(replies, "unknown\nunknown\n");

    EXPECT_EQ(channel.request(mainTitle, "show nine"), "unknown");
    EXPECT_EQ(channel.request(mainTitle, "isiconic"), "0");
    endGently(*publisher);
    EXPECT_EQ(publisher->exitCode(), 0);
}

TEST(LocalDesktopChannel, NameIsFreeAgainOnceThePublisherEnds)
{
    // Scripted sessions name their desktops freely.
    const QString desktop = privateDesktop() + "/scripted session \u00fc with a long name";
    LocalDesktopChannel channel(desktop);
    QString first;
    auto crashed = startPublisher(desktop, mainTitle, &first);
    ASSERT_EQ(first, "ready");
    crashed->kill();
    crashed->waitForFinished(1000);
    EXPECT_TRUE(QFileInfo::exists(channel.endpointName(mainTitle))); // left behind by the crash
    EXPECT_TRUE(channel.request(mainTitle, "isiconic").isNull());

    auto successor = startPublisher(desktop, mainTitle, &first);
    ASSERT_EQ(first, "ready");
    EXPECT_EQ(channel.request(mainTitle, "isiconic"), "0");

    endGently(*successor);
    EXPECT_TRUE(channel.request(mainTitle, "isiconic").isNull());
    EXPECT_FALSE(QFileInfo::exists(channel.endpointName(mainTitle)));
}

TEST(LocalDesktopChannel, OtherProcessReachesOurWindowAndSelfRequestsDoNotWait)
{
    const QString desktop = privateDesktop();
    LocalDesktopChannel channel(desktop);
    WindowRegistry windows(&channel);
    const WindowHandle main = windows.create("VantamorphMain", mainTitle);
    windows.publish(main);
    ASSERT_TRUE(channel.isPublished(mainTitle));
    windows.showWindow(main, show_command::Minimize);

    // Our own title is answered in process; the socket would need our blocked loop.
    EXPECT_EQ(channel.request(mainTitle, "isiconic"), "1");
    EXPECT_EQ(LocalDesktopChannel(desktop).request(mainTitle, "class"), "VantamorphMain");

    EXPECT_EQ(askFromOtherProcess(desktop, mainTitle, "isiconic"), "1");
    EXPECT_EQ(askFromOtherProcess(desktop, mainTitle, "show 9"), "ok");
    EXPECT_FALSE(windows.isIconic(main));
    EXPECT_TRUE(windows.isVisible(main));

    windows.destroy(main);
    EXPECT_FALSE(channel.isPublished(mainTitle));
    EXPECT_EQ(askFromOtherProcess(desktop, mainTitle, "isiconic"), "<null>");
}

TEST(LocalDesktopChannel, HandlerMayUnpublishItsOwnTitleWhileAnswering)
{
    const QString desktop = privateDesktop();
    LocalDesktopChannel channel(desktop);
    channel.publish(mainTitle, [&](const QString& what) {
        channel.unpublish(mainTitle);
        return what + " done";
    });
    EXPECT_EQ(askFromOtherProcess(desktop, mainTitle, "close"), "close done");
    EXPECT_FALSE(channel.isPublished(mainTitle));
    EXPECT_EQ(askFromOtherProcess(desktop, mainTitle, "close"), "<null>");
}

} // namespace
} // namespace vm
