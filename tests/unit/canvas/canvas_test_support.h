#pragma once

#include "canvas/logo/logo_document.h"
#include "canvas/reference/reference_canvas.h"
#include "platform/api/trace.h"
#include "project/project_flows.h"
#include "tests/unit/shell/host_fixture.h"

#include <QCoreApplication>
#include <QImage>
#include <functional>

namespace vm::test {

inline const QString ae = QString(QChar(0x00E6));

// The data folder of the source tree: our own clip-art catalogue.
inline QString sourceDataFolder() { return QStringLiteral(VM_SOURCE_DIR "/data/datasrc"); }

inline void settle(int rounds = 5)
{
    for (int round = 0; round < rounds; ++round)
        QCoreApplication::processEvents();
}

// An element of kind filling box.
inline LogoElement elementIn(ElementKind kind, const QRectF& box)
{
    LogoElement element;
    element.kind = kind;
    element.position = box.topLeft();
    element.size = box.size();
    return element;
}

// A star symbol filling box.
inline LogoElement starIn(const QRectF& box)
{
    LogoElement element = elementIn(ElementKind::Symbol, box);
    element.symbol = QStringLiteral("ClipArts/Geometric/star.svg");
    return element;
}

// One of every element kind with every property set away from its default.
inline LogoDocument everyKindLogo()
{
    LogoDocument logo;
    logo.background = QColor(0xfa, 0xf0, 0xe6);
    LogoElement text;
    text.text = QStringLiteral("Ærø & <Söhne>\n\"Line two\"\ttab");
    text.fontFamily = QStringLiteral("DejaVu Serif");
    text.fontSize = 31.5, text.bold = text.italic = true;
    text.color = QColor(10, 20, 30, 128);
    text.position = QPointF(12.25, -3.1), text.size = QSizeF(200.125, 48), text.rotation = -17.3;
    LogoElement symbol = elementIn(ElementKind::Symbol, QRectF(300, 40, 90, 90));
    symbol.symbol = QStringLiteral("ClipArts/Nature/leaf.svg");
    symbol.color = QColor(0x3c, 0x9a, 0x3f);
    symbol.rotation = 45;
    LogoElement picture = elementIn(ElementKind::Picture, QRectF(20, 250, 64, 48));
    picture.picture = QStringLiteral("photo one.png");
    LogoElement group = elementIn(ElementKind::Group, QRectF(100, 100, 150, 75.5));
    group.children = {symbol, text};
    group.rotation = 90;
    logo.elements = {text, symbol, picture, group};
    return logo;
}

// A bold DejaVu Sans text in dark blue, its box not yet set.
inline LogoElement textElement(const QString& words, double size = 40)
{
    LogoElement text;
    text.text = words, text.fontFamily = QStringLiteral("DejaVu Sans");
    text.fontSize = size, text.bold = true;
    text.color = QColor(0x1f, 0x3a, 0x5f);
    return text;
}

// What the host's toFlash does with a player: the command into the movie's
// variables, then its interaction clip played.
inline void hostSends(PlayerControl& player, const QString& command, const QString& argument)
{
    player.setVariable(QStringLiteral("commandVB"), command);
    player.setVariable(QStringLiteral("argsVB"), argument);
    player.tGotoFrame(QStringLiteral("/Interaction"), 2);
    player.tPlay(QStringLiteral("/Interaction"));
}

// The canvas as the host sees it: movie, variables, clip calls, raised commands.
class CanvasDriver {
public:
    CanvasDriver() : canvas(QStringLiteral("skwFlash"), trace)
    {
        canvas.onCommand([this](const QString& command, const QString& argument) { raised.append(command + QLatin1Char('|') + argument); });
    }

    void load(const QString& movie)
    {
        canvas.setMovie(movie);
        settle();
    }

    // A bold DejaVu Sans text in dark blue, its box not yet set.
inline LogoElement textElement(const QString& words, double size = 40)
{
    LogoElement text;
    text.text = words, text.fontFamily = QStringLiteral("DejaVu Sans");
    text.fontSize = size, text.bold = true;
    text.color = QColor(0x1f, 0x3a, 0x5f);
    return text;
}

// What the host's toFlash does. The canvas answers later, never from
    // inside the host's call.
    void send(const QString& command, const QString& argument)
    {
        const qsizetype answers = raised.size();
        hostSends(canvas, command, argument);
        EXPECT_EQ(raised.size(), answers) << "answered inside the host's call: " << command.toStdString();
        settle();
    }

    QStringList take() { return std::exchange(raised, {}); }

    Trace trace;
    ReferenceCanvas canvas;
    QStringList raised;
};

// A loaded canvas in a folder of its own, with a 40 x 20 picture photo.png
// in its picture folder and the shipped clip-art library.
class LoadedCanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        writeFile(root.path() + QStringLiteral("/flash/LogoMain.swf"), minimalMovie());
        QDir().mkpath(root.path() + QStringLiteral("/LogoImages"));
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(root.path() + QStringLiteral("/LogoImages/photo.png"));
        driver.load(root.path() + QStringLiteral("/flash/LogoMain.swf"));
        useLibrary(sourceDataFolder());
        driver.take();
    }

    void useLibrary(const QString& dataFolder)
    {
        LogoResources resources = driver.canvas.editor().renderer().resources();
        resources.dataFolder = dataFolder;
        driver.canvas.editor().renderer().setResources(resources);
    }
    const LogoDocument& logo() { return driver.canvas.editor().document(); }

    QTemporaryDir root;
    CanvasDriver driver;
};

// The real host and project flows on fake platform services, with the
// reference canvas drawing from the shipped clip-art library.
class ReferenceHostTest : public HostFixture {
protected:
    void start()
    {
        host = std::make_unique<Host>(platform, reference, bitmap, programFolder);
        flows = std::make_unique<ProjectFlows>(seams().project());
        plugIn();
        startToReady();
        LogoResources resources = reference.editor().renderer().resources();
        resources.dataFolder = sourceDataFolder();
        reference.editor().renderer().setResources(resources);
    }
    // What a test adds to the host before it starts.
    virtual void plugIn() {}

    // Runs a host action and lets the canvas answer.
    void act(const std::function<void()>& action)
    {
        action();
        settle(10);
    }

    ReferenceCanvas reference{QStringLiteral("skwFlash"), trace};
    std::unique_ptr<ProjectFlows> flows;
};

} // namespace vm::test
