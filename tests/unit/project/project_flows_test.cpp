// The save round trip and the save-changes questions of New, Open, recent
// open, close and exit.
#include "project_fixture.h"

#include <functional>

namespace vm::test {
namespace {

using message_box::Answer;

class ProjectFlowsTest : public ProjectFixture {
protected:
    void SetUp() override
    {
        ProjectFixture::SetUp();
        start();
        existing = project(QStringLiteral("current.vmp"));
        other = project(QStringLiteral("other.vmp"));
        writeFile(existing, "<logo>current</logo>");
        writeFile(other, "<logo>other</logo>");
    }
    void withFile() { flows->OpenLogoProject(QStringLiteral("result open"), existing, QString()); baseline = canvas.received().size(); }
    QString saveCommand(const QString& path) const { return QStringLiteral("show save|") + path; }
    QString openCommand(const QString& path) const { return QStringLiteral("result open|") + path + ae + QStringLiteral("null"); }
    const QString newCommand = QStringLiteral("show new|New") + ae + QStringLiteral("New");

    QString existing;
    QString other;
};

TEST_F(ProjectFlowsTest, SaveRoundTripIsByteIdentical)
{
    withFile();
    const QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- logo -->\n<logo>\n  <text>")
                        + ae + QStringLiteral(" and ") + ae + QStringLiteral("</text>\n</logo>\n");
    dirty();
    host->mainMenu.route(QStringLiteral("mnuSave"));
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing)}));
    EXPECT_TRUE(savingShown());
    EXPECT_TRUE(dialogs.fileDialogs.isEmpty());

    canvasSays(QStringLiteral("show save"), existing + ae + xml);
    const QByteArray saved = readFile(existing);
    EXPECT_EQ(saved, xml.toLatin1());
    EXPECT_FALSE(host->state.isDirty);
    EXPECT_FALSE(savingShown());

    // Open it, and the canvas hands the same text back: the same bytes again.
    flows->OpenLogoProject(QStringLiteral("result open"), existing, QString());
    canvasSays(QStringLiteral("show save"), existing + ae + QString::fromLatin1(readFile(existing)));
    EXPECT_EQ(readFile(existing), saved);
}

TEST_F(ProjectFlowsTest, SaveDialogs)
{
    // No file: cancelling leaves the logo without one.
    host->mainMenu.route(QStringLiteral("mnuSave"));
    ASSERT_EQ(dialogs.fileDialogs.size(), 1);
    EXPECT_EQ(dialogs.fileDialogs[0].title, QStringLiteral("Save Project"));
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("Vantamorph Logos (*.vmp)| *.vmp"));
    EXPECT_TRUE(dialogs.fileDialogs[0].overwritePrompt && dialogs.fileDialogs[0].pathMustExist);
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    EXPECT_FALSE(host->state.saveRequested);

    // An existing name and No to the overwrite question: nothing is asked of the canvas.
    dialogs.fileAnswers.enqueue(other);
    forms.clicks = {QStringLiteral("cmdNo")};
    host->mainMenu.route(QStringLiteral("mnuSaveAs"));
    EXPECT_EQ(dialogs.fileDialogs.last().title, QStringLiteral("Save Project as"));
    EXPECT_TRUE(sentCommands().isEmpty());
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));

    // The canvas asks to save a logo without a file: its XML waits for a name.
    const QString chosen = project(QStringLiteral("chosen.vmp"));
    dialogs.fileAnswers.enqueue(chosen);
    EXPECT_FALSE(flows->SaveIt(QStringLiteral("New") + ae + QStringLiteral("<logo/>")));
    EXPECT_FALSE(QFileInfo::exists(chosen));
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(chosen)}));
    EXPECT_EQ(host->state.currentProjectFile, chosen);
    EXPECT_TRUE(host->state.saveRequested);
    // Text after the first separator is the XML, further separators and all.
    EXPECT_TRUE(flows->SaveIt(chosen + ae + QStringLiteral("<t a=\"") + ae + QStringLiteral("\">") + ae + QStringLiteral("</t>")));
    EXPECT_EQ(QString::fromUtf8(readFile(chosen)), QStringLiteral("<t a=\"") + ae + QStringLiteral("\">") + ae + QStringLiteral("</t>"));

    // No separator at all: logged, nothing written.
    EXPECT_FALSE(flows->SaveIt(QStringLiteral("garbage")));
    EXPECT_TRUE(errorLog().contains("frmMain\\SaveIt"));
}

TEST_F(ProjectFlowsTest, FailedSavesKeepTheOldFileAndTellTheUser)
{
    withFile();
    dirty();
    host->state.openAfterSave = true;
    host->state.pendingOpenPath = other;
    host->state.publishAfterSave = true;
    host->mainMenu.route(QStringLiteral("mnuSave"));

    canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo><unclosed></logo>"));
    EXPECT_EQ(readFile(existing), QByteArray("<logo>current</logo>"));
    ASSERT_EQ(forms.shown.last().form, QStringLiteral("frmAlert"));
    EXPECT_TRUE(forms.shown.last().message.contains(existing));
    EXPECT_FALSE(savingShown());

    QFile::setPermissions(existing, QFileDevice::ReadOwner);
    canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo>new</logo>"));
    EXPECT_EQ(readFile(existing), QByteArray("<logo>current</logo>"));
    EXPECT_TRUE(forms.shown.last().message.contains(QStringLiteral("Permission denied")));
    EXPECT_TRUE(errorLog().contains("frmMain\\SaveIt"));

    // The changes are still unsaved, and what waited for the save was dropped
    // with it: a later save does not suddenly open or publish.
    EXPECT_TRUE(host->state.isDirty);
    EXPECT_FALSE(host->state.openAfterSave || host->state.publishAfterSave);
    QFile::setPermissions(existing, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo>new</logo>"));
    EXPECT_EQ(readFile(existing), QByteArray("<logo>new</logo>"));
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing)}));
}

TEST_F(ProjectFlowsTest, ADeclinedOverwriteIsACancelledSave)
{
    // New, Open and a recent open with unsaved changes: Yes, an existing
    // name, No to replacing it. Nothing else may happen, now or later.
    writeConfig({other, QStringLiteral("Nothing"), QStringLiteral("Nothing"), QStringLiteral("Nothing"), QStringLiteral("Nothing")});
    host->mainMenu.rebuild();
    flows->recentFiles().ReteriveFileHistory();
    const auto declineOverwrite = [&](const std::function<void()>& action, const QStringList& answers) {
        dirty();
        baseline = canvas.received().size();
        dialogs.fileAnswers.enqueue(existing);
        forms.clicks = answers;
        action();
        EXPECT_TRUE(sentCommands().isEmpty()) << sentCommands().join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(host->state.openAfterSave);
        EXPECT_TRUE(host->state.isDirty);
        EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    };
    declineOverwrite([&] { host->mainMenu.route(QStringLiteral("mnuNewProject")); },
                     {QStringLiteral("cmdYes"), QStringLiteral("cmdNo")});
    dialogs.fileAnswers.enqueue(other); // the file to open
    declineOverwrite([&] { host->mainMenu.route(QStringLiteral("mnuOpenProject")); },
                     {QStringLiteral("cmdYes"), QStringLiteral("cmdNo")});
    declineOverwrite([&] { host->mainMenu.route(QStringLiteral("mnuFile1")); },
                     {QStringLiteral("cmdYes"), QStringLiteral("cmdNo")});
    EXPECT_EQ(readFile(existing), QByteArray("<logo>current</logo>"));

    // A later, unrelated save writes the logo and opens nothing.
    const QString third = project(QStringLiteral("third.vmp"));
    dialogs.fileAnswers.enqueue(third);
    host->mainMenu.route(QStringLiteral("mnuSave"));
    canvasSays(QStringLiteral("show save"), third + ae + QStringLiteral("<logo/>"));
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(third)}));
}

TEST_F(ProjectFlowsTest, AnOpenTheCanvasRefusesLeavesEverythingAsItWas)
{
    withFile();
    dirty();
    const QByteArray history = readFile(configPath());
    flows->OpenLogoProject(QStringLiteral("result open"), other, QString());
    EXPECT_EQ(host->state.currentProjectFile, other);
    canvasSays(QStringLiteral("openrefused"), other);
    EXPECT_EQ(host->state.currentProjectFile, existing);
    EXPECT_TRUE(host->state.isDirty);
    EXPECT_EQ(readFile(configPath()), history);
    EXPECT_EQ(recentMenu().value(0), QStringLiteral("mnuFile1=") + existing);
    // A stray refusal of some other file changes nothing.
    canvasSays(QStringLiteral("openrefused"), project(QStringLiteral("else.vmp")));
    EXPECT_EQ(host->state.currentProjectFile, existing);
}

TEST_F(ProjectFlowsTest, APathWithTheSeparatorInItIsSavedWhole)
{
    const QString odd = project(QStringLiteral("bl") + ae + QStringLiteral("k.vmp"));
    writeFile(project(QStringLiteral("bl")), "someone else's file");
    dialogs.fileAnswers.enqueue(odd);
    host->mainMenu.route(QStringLiteral("mnuSave"));
    EXPECT_TRUE(flows->SaveIt(odd + ae + QStringLiteral("<logo/>")));
    EXPECT_EQ(readFile(odd), QByteArray("<logo/>"));
    EXPECT_EQ(readFile(project(QStringLiteral("bl"))), QByteArray("someone else's file"));

    // A path the host did not ask for is cut at the first separator: the logo keeps its own.
    const QString unasked = project(QStringLiteral("unasked.vmp"));
    EXPECT_TRUE(flows->SaveIt(unasked + ae + QStringLiteral("<logo>a") + ae + QStringLiteral("b</logo>")));
    EXPECT_TRUE(readFile(unasked).startsWith("<logo>a"));
    EXPECT_TRUE(readFile(unasked).endsWith("b</logo>"));
}

TEST_F(ProjectFlowsTest, NewQuestions)
{
    host->mainMenu.route(QStringLiteral("mnuNewProject")); // clean: no question
    EXPECT_EQ(sentCommands(), QStringList({newCommand}));

    baseline = canvas.received().size();
    dirty();
    forms.clicks = {QStringLiteral("cmdCancel")};
    host->mainMenu.route(QStringLiteral("mnuNewProject"));
    EXPECT_TRUE(sentCommands().isEmpty());
    forms.clicks = {QStringLiteral("cmdYes")}; // no file, save dialog cancelled
    host->mainMenu.route(QStringLiteral("mnuNewProject"));
    EXPECT_TRUE(sentCommands().isEmpty());
    forms.clicks = {QStringLiteral("cmdNo")};
    host->mainMenu.route(QStringLiteral("mnuNewProject"));
    EXPECT_EQ(sentCommands(), QStringList({newCommand}));
    EXPECT_FALSE(host->state.isDirty);

    // Yes: the new logo waits for the save's answer. A save that fails keeps
    // the logo, and nothing is dropped later by an unrelated save.
    withFile();
    dirty();
    forms.clicks = {QStringLiteral("cmdYes")};
    canvasSays(QStringLiteral("show new"), QString());
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing), saveCommand(existing)}));
    QFile::setPermissions(existing, QFileDevice::ReadOwner);
    canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo>new</logo>"));
    QFile::setPermissions(existing, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo>new</logo>"));
    EXPECT_EQ(sentCommands().count(newCommand), 0);
    EXPECT_EQ(host->state.currentProjectFile, existing);

    dirty();
    baseline = canvas.received().size();
    forms.clicks = {QStringLiteral("cmdYes")};
    canvasSays(QStringLiteral("show new"), QString());
    canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo>newer</logo>"));
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing), saveCommand(existing), newCommand}));
    EXPECT_EQ(readFile(existing), QByteArray("<logo>newer</logo>"));
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
}

TEST_F(ProjectFlowsTest, OpenQuestions)
{
    dialogs.fileAnswers.enqueue(other); // clean: opens at once
    host->mainMenu.route(QStringLiteral("mnuOpenProject"));
    EXPECT_EQ(dialogs.fileDialogs.last().title, QStringLiteral("Select Logo Project"));
    EXPECT_TRUE(dialogs.fileDialogs.last().hideReadOnly);
    EXPECT_EQ(sentCommands(), QStringList({openCommand(other)}));

    // The menu, the canvas's own open button and the history ask alike.
    const auto recentEntryOf = [&](const QString& path) {
        for (const QString& entry : recentMenu())
            if (entry.section(QLatin1Char('='), 1) == path)
                return entry.section(QLatin1Char('='), 0, 0);
        return QString();
    };
    const std::function<void()> opens[] = {
        [&] { dialogs.fileAnswers.enqueue(other); host->mainMenu.route(QStringLiteral("mnuOpenProject")); },
        [&] { dialogs.fileAnswers.enqueue(other); canvasSays(QStringLiteral("show open"), QString()); },
        [&] { host->mainMenu.route(recentEntryOf(other)); },
        // Another copy, started from the file manager, hands the project over.
        [&] {
            EXPECT_TRUE(windows.sendData(host->mainForm.window, SplashForm::openProjectRequest + other));
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        },
    };
    for (const auto& open : opens) {
        withFile();
        dirty();
        forms.clicks = {QStringLiteral("cmdNo")};
        open();
        EXPECT_EQ(sentCommands(), QStringList({openCommand(other)}));

        // Yes with a file: the open waits for the save instead of overwriting its request.
        withFile();
        dirty();
        forms.clicks = {QStringLiteral("cmdYes")};
        open();
        EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing)}));
        EXPECT_TRUE(host->state.isDirty);
        canvasSays(QStringLiteral("show save"), existing + ae + QStringLiteral("<logo/>"));
        EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing), openCommand(other)}));

        // Yes without a file, save dialog cancelled: nothing opens, not even later.
        flows->ShowNew();
        baseline = canvas.received().size();
        dirty();
        forms.clicks = {QStringLiteral("cmdYes")};
        open();
        EXPECT_TRUE(sentCommands().isEmpty());
        EXPECT_FALSE(host->state.openAfterSave);
        EXPECT_TRUE(flows->SaveIt(existing + ae + QStringLiteral("<logo/>")));
        EXPECT_TRUE(sentCommands().isEmpty());
    }
}

// A project named on the command line, in a program started afresh.
class StartedWithAProject : public ProjectFixture {
protected:
    QStringList startWith(const QString& path)
    {
        makeHost();
        flows = std::make_unique<ProjectFlows>(seams().project());
        host->state.commandLineProject = path;
        startToReady();
        runUntil([&] { return !canvasCommands().filter(QStringLiteral("result open|")).isEmpty(); }, 1000);
        return canvasCommands().filter(QStringLiteral("result open|"));
    }
};

TEST_F(StartedWithAProject, OpensOnceTheMenusAreReadyAndOnlyOnce)
{
    const QString logo = project(QStringLiteral("logo.vmp"));
    writeFile(logo, "<logo/>");
    EXPECT_EQ(startWith(logo), QStringList{QStringLiteral("result open|") + logo + ae + QStringLiteral("null")});
    EXPECT_EQ(host->state.currentProjectFile, logo);
    EXPECT_EQ(recentMenu().value(0), QStringLiteral("mnuFile1=") + logo);
    EXPECT_TRUE(readFile(configPath()).contains(logo.toUtf8()));

    // The canvas enables the menus again after each of its windows: no second open.
    canvasSays(QStringLiteral("fmactivemenu"), QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(canvasCommands().filter(QStringLiteral("result open|")).size(), 1);
}

TEST_F(StartedWithAProject, WhatCannotBeAProjectIsRefusedAsOpenProjectRefusesIt)
{
    // A missing file goes to the canvas, which says it is not there (and the open is undone).
    const QString missing = project(QStringLiteral("missing.vmp"));
    EXPECT_EQ(startWith(missing).size(), 1);
    canvasSays(QStringLiteral("openrefused"), missing);
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
    EXPECT_TRUE(recentMenu().filter(missing).isEmpty());
}

TEST_F(StartedWithAProject, AFolderIsRefusedWithItsCauseAndNothingOpens)
{
    const QString folder = project(QStringLiteral("folder.vmp"));
    QDir().mkpath(folder);
    EXPECT_TRUE(startWith(folder).isEmpty());
    ASSERT_FALSE(forms.shown.isEmpty());
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmAlert"));
    EXPECT_TRUE(forms.shown.last().message.contains(QStringLiteral("cannot be opened")));
    EXPECT_EQ(host->state.currentProjectFile, QStringLiteral("New"));
}

TEST_F(ProjectFlowsTest, CloseAndExitQuestions)
{
    host->mainForm.closeBox(); // clean: ends without a question
    EXPECT_TRUE(dialogs.messageBoxes.isEmpty());
    EXPECT_EQ(process.exits.size(), 1);

    withFile();
    dirty();
    for (Answer answer : {Answer::Cancel, Answer::Yes, Answer::No})
        dialogs.messageBoxAnswers.enqueue(answer);
    host->mainForm.closeBox();
    ASSERT_EQ(dialogs.messageBoxes.size(), 1);
    EXPECT_EQ(dialogs.messageBoxes[0].text, QStringLiteral("Do you want to save changes?"));
    EXPECT_TRUE(dialogs.messageBoxes[0].title.isEmpty());
    EXPECT_EQ(dialogs.messageBoxes[0].buttons, message_box::Buttons::YesNoCancel);
    EXPECT_EQ(dialogs.messageBoxes[0].icon, message_box::Icon::Question);
    EXPECT_TRUE(sentCommands().isEmpty());
    host->mainForm.closeBox();
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing)}));
    EXPECT_EQ(process.exits.size(), 1);
    host->mainForm.closeBox();
    EXPECT_EQ(process.exits.size(), 2);

    // Exit asks through the program's own dialog.
    baseline = canvas.received().size();
    forms.clicks = {QStringLiteral("cmdCancel")};
    host->mainMenu.route(QStringLiteral("mnuExit"));
    EXPECT_EQ(forms.shown.last().form, QStringLiteral("frmMessageBoxYNC"));
    EXPECT_EQ(forms.shown.last().message, host->language.GetControlCaptions(QStringLiteral("msgYNCSaveChanges")));
    EXPECT_EQ(process.exits.size(), 2);
    forms.clicks = {QStringLiteral("cmdYes")};
    host->mainMenu.route(QStringLiteral("mnuExit"));
    EXPECT_EQ(sentCommands(), QStringList({saveCommand(existing)}));
    forms.clicks = {QStringLiteral("cmdNo")};
    host->mainMenu.route(QStringLiteral("mnuExit"));
    EXPECT_EQ(process.exits.size(), 3);
    // Without a file, Yes shows the save dialog.
    flows->ShowNew();
    dirty();
    forms.clicks = {QStringLiteral("cmdYes")};
    const qsizetype dialogsBefore = dialogs.fileDialogs.size();
    host->mainMenu.route(QStringLiteral("mnuExit"));
    EXPECT_EQ(dialogs.fileDialogs.size(), dialogsBefore + 1);
    EXPECT_EQ(process.exits.size(), 3);
}

} // namespace
} // namespace vm::test
