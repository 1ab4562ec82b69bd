#include "tests/unit/shell/host_fixture.h"

#include <QRandomGenerator>

namespace vm::test {
namespace {

class DispatcherTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        startToReady();
        ASSERT_FALSE(process.ended());
        trace.lines.clear();
    }
    void raise(const QString& command, const QString& argument) { canvas.raise(command, argument); }
    bool enabled(const char* key) { return host->menuItems.ItemEnabled(host->menuItems.FindItem(QLatin1String(key))); }
};

TEST_F(DispatcherTest, NamesIgnoreCaseArgumentsDoNot)
{
    raise(QStringLiteral("DataToSave"), QStringLiteral("true"));
    EXPECT_TRUE(host->state.isDirty);
    raise(QStringLiteral("datatosave"), QStringLiteral("False"));
    EXPECT_TRUE(host->state.isDirty);
    raise(QStringLiteral("DATATOSAVE"), QStringLiteral("false"));
    EXPECT_FALSE(host->state.isDirty);
    raise(QStringLiteral("no such command"), QStringLiteral("true"));
    EXPECT_TRUE(trace.lines.isEmpty());
}

TEST_F(DispatcherTest, TextEditingLocksTheEditingGroup)
{
    raise(QStringLiteral("istextedit"), QStringLiteral("true"));
    for (const char* key : {"mnuProject", "mnuEdit", "mnuObject", "mnuMHelp", "mnuFromTemplate"})
        EXPECT_FALSE(enabled(key)) << key;
    EXPECT_TRUE(enabled("mnuPanels"));
    raise(QStringLiteral("istextedit"), QStringLiteral("false"));
    for (const char* key : {"mnuProject", "mnuEdit", "mnuObject", "mnuMHelp", "mnuFromTemplate"})
        EXPECT_TRUE(enabled(key)) << key;
    EXPECT_TRUE(loggedLabels().isEmpty()); // mnuTextStyle is absent and that is no failure
}

TEST_F(DispatcherTest, QuickHelpStateFromTheCanvas)
{
    const int quick = host->menuItems.FindItem(QStringLiteral("mnuQuick"));
    for (const QString& command : {QStringLiteral("quick help"), QStringLiteral("topmenuendisable")}) {
        raise(command, QStringLiteral("false"));
        EXPECT_EQ(host->menuItems.ItemCaption(quick), QStringLiteral("&Hide Quick Help"));
        EXPECT_FALSE(enabled("mnuPanels"));
        raise(command, QString());
        EXPECT_EQ(host->menuItems.ItemCaption(quick), QStringLiteral("&Show Quick Help"));
        EXPECT_TRUE(enabled("mnuPanels"));
    }
}

TEST_F(DispatcherTest, WizardFinishPublishesOnlyOnExactWord)
{
    host->state.currentProjectFile = QStringLiteral("/some/logo.vmp");
    QStringList saves;
    host->mainMenu.on(QStringLiteral("mnuSave"), [&] { saves.append(host->state.currentProjectFile); });
    raise(QStringLiteral("istextedit"), QStringLiteral("true"));
    raise(QStringLiteral("wizard finish"), QStringLiteral("Publish"));
    EXPECT_TRUE(enabled("mnuProject"));
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    EXPECT_FALSE(host->state.publishAfterSave);
    EXPECT_TRUE(saves.isEmpty());

    raise(QStringLiteral("wizard finish"), QStringLiteral("publish"));
    EXPECT_TRUE(host->state.publishAfterSave);
    EXPECT_EQ(saves, QStringList{QStringLiteral("New")});
}

TEST_F(DispatcherTest, AlertAndExit)
{
    raise(QStringLiteral("show alerto"), QStringLiteral("Hello there"));
    ASSERT_FALSE(forms.shown.isEmpty());
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmAlert"));
    EXPECT_EQ(forms.shown.last().message, QStringLiteral("Hello there"));
    EXPECT_EQ(forms.shown.last().owner, QStringLiteral("frmMain"));

    host->state.isDirty = true;
    raise(QStringLiteral("Exit"), QString());
    EXPECT_EQ(process.exits, QList<int>{0});
}

TEST_F(DispatcherTest, FailingHandlerIsLoggedAsTheCanvasEvent)
{
    host->dispatcher.on(QStringLiteral("show publish"), [](const QString&) {
        throw RunTimeError(91, QStringLiteral("Object variable or With block variable not set"));
    });
    raise(QStringLiteral("Show Publish"), QString());
    EXPECT_EQ(loggedLabels(), QStringList{QStringLiteral("log \"frmMain\\\\skwFlash\"")});
    EXPECT_THROW(host->dispatcher.on(QStringLiteral("not in the table"), {}), std::logic_error);
}

TEST_F(DispatcherTest, SurvivesHostileArguments)
{
    QRandomGenerator random(1234);
    QStringList names = CanvasDispatcher::commandNames();
    names.removeAll(QStringLiteral("exit"));
    names << QStringLiteral("SHOW SAVE") << QStringLiteral("Fm Loaded") << QString() << QString(QChar(0))
          << QStringLiteral("\xE6\xE6");
    const QByteArray notUtf8("\xff\xfe\xc3(\x80\x00zz", 8);
    const QList<QString> arguments = {
        QString(),
        QString(10 * 1024 * 1024, QLatin1Char('x')),
        QString::fromUtf8(notUtf8),
        QString::fromLatin1("nul\0inside", 10),
        QStringLiteral("true\u00e6false\u00e6"),
        QStringLiteral("<invoke>&amp;"),
    };
    host->messages.alertForm(); // alerts are answered by their close box
    for (const QString& name : names) {
        for (const QString& argument : arguments)
            raise(name, argument);
        QString noise;
        for (int i = 0; i < 64; ++i)
            noise.append(QChar(char16_t(random.bounded(1, 0xD7FF))));
        raise(name, noise);
    }
    EXPECT_FALSE(process.ended());
    // Only log lines, toFlash calls, windows and dialogs: nothing else reached the user.
    for (const QString& line : trace.lines)
        EXPECT_TRUE(line.startsWith(QStringLiteral("log ")) || line.startsWith(QStringLiteral("toFlash "))
                    || line.startsWith(QStringLiteral("callFunction ")))
            << line.left(80).toStdString();
}

} // namespace
} // namespace vm::test
