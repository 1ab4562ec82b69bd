#include "platform_test_support.h"

#include "platform/api/window_registry.h"

#include <gtest/gtest.h>
#include <map>

namespace vm {
namespace {

// Two registries sharing this play two copies of the program on one desktop.
class MemoryDesktop : public DesktopChannel {
public:
    void publish(const QString& title, std::function<QString(const QString&)> onRequest) override
    {
        published[title] = std::move(onRequest);
    }
    void unpublish(const QString& title) override { published.erase(title); }
    QString request(const QString& title, const QString& what) override
    {
        auto it = published.find(title);
        return it == published.end() ? QString() : it->second(what);
    }

    std::map<QString, std::function<QString(const QString&)>> published;
};

class RecordingPeer : public WindowPeer {
public:
    void applyShow(int command) override { shown.push_back(command); }
    void applyForeground() override { ++foregrounds; }
    void applyText(const QString& text) override { texts.push_back(text); }

    std::vector<int> shown;
    int foregrounds = 0;
    std::vector<QString> texts;
};

TEST(WindowRegistry, FindWindowMatchesTitlesExactlyAndClassesInAnyCase)
{
    WindowRegistry windows;
    const WindowHandle main = windows.create("VantamorphMain", "Vantamorph");
    const WindowHandle dialog = windows.create("#32770", "Print");
    windows.create("Button", "OK", dialog);
    const WindowHandle later = windows.create("VantamorphMain", "Vantamorph");

    EXPECT_EQ(windows.findWindow("vantamorphMAIN", "Vantamorph"), main);
    EXPECT_EQ(windows.findWindow("", "Vantamorph"), main); // the first of two alike
    EXPECT_EQ(windows.findWindow("#32770", "Print"), dialog);
    EXPECT_EQ(windows.findWindow("VantamorphMain", "vantamorph"), 0u);
    EXPECT_EQ(windows.findWindow("VantamorphMain", "Vantamorph "), 0u);
    EXPECT_EQ(windows.findWindow("#32770", "Vantamorph"), 0u);
    EXPECT_EQ(windows.findWindow("Button", "OK"), 0u); // children are not top-level windows

    windows.destroy(main);
    EXPECT_EQ(windows.findWindow("", "Vantamorph"), later);
}

TEST(WindowRegistry, FindWindowExWalksDirectChildrenAfterTheGivenOne)
{
    WindowRegistry windows;
    const WindowHandle dialog = windows.create("#32770", "Print");
    const WindowHandle edit = windows.create("Edit", "", dialog);
    const WindowHandle print = windows.create("Button", "Print", dialog);
    const WindowHandle group = windows.create("Static", "Print", dialog);
    const WindowHandle nested = windows.create("Button", "Cancel", group);
    const WindowHandle cancel = windows.create("Button", "Cancel", dialog);

    EXPECT_EQ(windows.findWindowEx(dialog, 0, "button"), print);
    EXPECT_EQ(windows.findWindowEx(dialog, print, "BUTTON"), cancel); // skips the grandchild
    EXPECT_EQ(windows.findWindowEx(dialog, cancel, "Button"), 0u);
    EXPECT_EQ(windows.findWindowEx(dialog, 0, "Button", "Cancel"), cancel);
    EXPECT_EQ(windows.findWindowEx(dialog, 0, "", "Print"), print);
    EXPECT_EQ(windows.findWindowEx(dialog, print, "", "Print"), group);
    EXPECT_EQ(windows.findWindowEx(dialog, 0, "Edit", ""), edit); // empty caption is a caption
    EXPECT_EQ(windows.findWindowEx(dialog, 0, "Button", ""), 0u);
    EXPECT_EQ(windows.findWindowEx(dialog, 0, ""), edit);
    EXPECT_EQ(windows.findWindowEx(group, 0, "Button"), nested);
    EXPECT_EQ(windows.findWindowEx(0, 0, "#32770"), dialog);
}

TEST(WindowRegistry, DestroyTakesChildrenAlongAndLeavesTheDesktop)
{
    MemoryDesktop desktop;
    WindowRegistry first(&desktop);
    WindowRegistry second(&desktop);
    const WindowHandle main = first.create("VantamorphMain", "Vantamorph");
    const WindowHandle toolbar = first.create("Static", "", main);
    const WindowHandle button = first.create("Button", "New", toolbar);
    first.publish(main);
    first.setForeground(main);
    ASSERT_NE(second.findWindow("", "Vantamorph"), 0u);

    first.destroy(main);
    EXPECT_FALSE(first.exists(toolbar));
    EXPECT_FALSE(first.exists(button));
    EXPECT_TRUE(first.children(0).isEmpty());
    EXPECT_EQ(first.foreground(), 0u);
    EXPECT_TRUE(desktop.published.empty());
    EXPECT_EQ(second.findWindow("", "Vantamorph"), 0u);
}

TEST(WindowRegistry, RemoteWindowIsDrivenInTheRegistryThatOwnsIt)
{
    MemoryDesktop desktop;
    WindowRegistry owner(&desktop);
    WindowRegistry other(&desktop);
    RecordingPeer peer;
    const WindowHandle main = owner.create("VantamorphMain", "Vantamorph", 0, &peer);
    owner.publish(main);
    owner.showWindow(main, show_command::Minimize);

    const WindowHandle remote = other.findWindow("VANTAMORPHMAIN", "Vantamorph");
    ASSERT_TRUE(WindowRegistry::isRemote(remote));
    EXPECT_EQ(other.findWindow("", "Vantamorph"), remote); // the same handle each time
    EXPECT_EQ(other.text(remote), "Vantamorph");
    EXPECT_TRUE(other.isIconic(remote));

    other.showWindow(remote, show_command::Restore);
    EXPECT_TRUE(owner.isVisible(main));
    EXPECT_EQ(peer.shown, (std::vector<int>{show_command::Minimize, show_command::Restore}));

    other.setForeground(remote);
    EXPECT_EQ(owner.foreground(), main);
    EXPECT_EQ(other.foreground(), 0u);
    EXPECT_EQ(peer.foregrounds, 1);

    // Whatever else another process sends changes nothing (and garbage: LocalDesktopChannel).
    EXPECT_EQ(desktop.request("Vantamorph", "show"), "unknown");
    EXPECT_EQ(peer.shown.size(), 2u);
}

TEST(WindowRegistry, HandedTextReachesTheWindowThatTakesItHereOrInAnotherCopy)
{
    MemoryDesktop desktop;
    WindowRegistry owner(&desktop);
    WindowRegistry other(&desktop);
    const WindowHandle main = owner.create("VantamorphMain", "Vantamorph");
    owner.publish(main);
    const WindowHandle remote = other.findWindow("", "Vantamorph");
    ASSERT_TRUE(WindowRegistry::isRemote(remote));

    // No handler yet: nobody takes it, neither here nor from the other copy.
    EXPECT_FALSE(owner.sendData(main, "open project /a.vmp"));
    EXPECT_FALSE(other.sendData(remote, "open project /a.vmp"));

    QStringList taken;
    owner.onData(main, [&](const QString& data) {
        taken.append(data);
        return !data.startsWith("refuse");
    });
    // Line breaks, quotes and non-ASCII survive the one-line request.
    const QStringList texts = {"open project /a.vmp", "open project /tmp/two\nlines \"q\"/Café æ.vmp", ""};
    for (const QString& text : texts) {
        EXPECT_TRUE(other.sendData(remote, text)) << text.toStdString();
        EXPECT_EQ(taken.last(), text);
    }
    EXPECT_TRUE(owner.sendData(main, "local"));
    EXPECT_FALSE(other.sendData(remote, "refuse this"));
    EXPECT_EQ(taken.size(), texts.size() + 2);

    // A request that is not base64 is refused before any handler sees it.
    EXPECT_EQ(desktop.request("Vantamorph", "data ***"), "unknown");
    EXPECT_EQ(taken.size(), texts.size() + 2);
    owner.destroy(main);
    EXPECT_FALSE(other.sendData(remote, "open project /a.vmp"));
}

TEST(WindowRegistry, PublishedWindowFollowsItsTitleUntilTheRegistryGoes)
{
    MemoryDesktop desktop;
    WindowRegistry other(&desktop);
    {
        WindowRegistry owner(&desktop);
        RecordingPeer peer;
        const WindowHandle main = owner.create("", "Vantamorph", 0, &peer);
        owner.publish(main);
        EXPECT_EQ(desktop.request("Vantamorph", "class"), ""); // a classless window still answers
        EXPECT_FALSE(desktop.request("Vantamorph", "class").isNull());

        owner.setText(main, "Vantamorph - logo.vmp");
        EXPECT_EQ(peer.texts, std::vector<QString>{"Vantamorph - logo.vmp"});
        EXPECT_EQ(other.findWindow("", "Vantamorph"), 0u);
        EXPECT_NE(other.findWindow("", "Vantamorph - logo.vmp"), 0u);
        EXPECT_EQ(desktop.published.size(), 1u);
    }
    // A registry that goes away must not leave handlers pointing at it.
    EXPECT_TRUE(desktop.published.empty());
    EXPECT_EQ(other.findWindow("", "Vantamorph - logo.vmp"), 0u);
}

} // namespace
} // namespace vm
