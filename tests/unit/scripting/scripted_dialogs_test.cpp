#include "platform/scripted/script_transcript.h"
#include "scripting_test_support.h"

namespace vm {
namespace {

// Owners, picture windows and plain modal windows: only their names matter here.
struct NamedForm : Form {
    explicit NamedForm(QString formName) : formName(std::move(formName)) {}
    QString name() const override { return formName; }
    QString formName;
};

// The shell's own message dialogs over the scripted presenter, owned by the main window.
struct DialogsFixture : ::testing::Test {
    test::Session session;
    test::RecordingTrace& trace = session.trace;
    AnswerQueue& answers = session.answers;
    WindowRegistry& windows = session.windows;
    ScriptedFormPresenter& presenter = session.forms;
    MessageDialogs& dialogs = session.host.messages;
    Form& owner = session.host.mainForm;

    void SetUp() override { session.host.language.LoadLanguage(0); }
};

TEST_F(DialogsFixture, QuestionsTakeTheQueuedAnswer)
{
    answers.push(AnswerQueue::Kind::YesNo, "yes");
    answers.push(AnswerQueue::Kind::YesNo, "no");
    answers.push(AnswerQueue::Kind::YesNoCancel, "yes");
    answers.push(AnswerQueue::Kind::YesNoCancel, "no");
    answers.push(AnswerQueue::Kind::YesNoCancel, "cancel");
    answers.push(AnswerQueue::Kind::Alert, "ok");

    EXPECT_TRUE(dialogs.MessageBoxYN("Save \"this\"?", &owner));
    EXPECT_FALSE(dialogs.MessageBoxYN("Again?", nullptr));
    EXPECT_EQ(dialogs.MessageBoxYNCancel("One", &owner), 1);
    EXPECT_EQ(dialogs.MessageBoxYNCancel("Two", &owner), 0);
    EXPECT_EQ(dialogs.MessageBoxYNCancel("Three", &owner), 2);
    dialogs.Alert(QStringLiteral("Done æ"), &owner);

    EXPECT_EQ(trace.lines, QStringList({
                               R"(dialog frmMessageBoxYN "Save \"this\"?" owner=frmMain -> yes)",
                               R"(dialog frmMessageBoxYN "Again?" owner=none -> no)",
                               R"(dialog frmMessageBoxYNC "One" owner=frmMain -> yes)",
                               R"(dialog frmMessageBoxYNC "Two" owner=frmMain -> no)",
                               R"(dialog frmMessageBoxYNC "Three" owner=frmMain -> cancel)",
                               QStringLiteral("dialog frmAlert \"Done æ\" owner=frmMain -> ok"),
                           }));
    // Every dialog is gone again, window and all.
    EXPECT_FALSE(presenter.isLoaded(dialogs.yesNoForm()));
    EXPECT_FALSE(presenter.isLoaded(dialogs.alertForm()));
    EXPECT_TRUE(windows.topLevelWindows().isEmpty());
}

TEST_F(DialogsFixture, UnansweredQuestionsPressEnterAndCloseKeepsTheLastAnswer)
{
    // Enter clicks imgOK: yes to a question, 1 from the three-way one.
    EXPECT_TRUE(dialogs.MessageBoxYN("Sure?", &owner));
    EXPECT_EQ(dialogs.MessageBoxYNCancel("Sure?", &owner), 1);
    dialogs.Alert(QStringLiteral("Hi"), &owner);
    EXPECT_EQ(trace.matching("dialog").size(), 3);
    for (const QString& line : trace.matching("dialog"))
        EXPECT_TRUE(line.endsWith(QLatin1String("-> enter (unanswered)"))) << line.toStdString();

    // The close box leaves the answer of the time before.
    answers.push(AnswerQueue::Kind::YesNoCancel, "cancel");
    answers.push(AnswerQueue::Kind::YesNoCancel, "close");
    EXPECT_EQ(dialogs.MessageBoxYNCancel("A", &owner), 2);
    EXPECT_EQ(dialogs.MessageBoxYNCancel("B", &owner), 2);
    EXPECT_TRUE(trace.lines.last().endsWith(QLatin1String("-> close")));
    EXPECT_FALSE(presenter.isLoaded(dialogs.yesNoCancelForm()));
}

TEST_F(DialogsFixture, PictureWindowsCloseAndAVanishingModalFormDoesNotHang)
{
    NamedForm about(QStringLiteral("frmAbout"));
    presenter.showModal(about, &owner);
    EXPECT_EQ(trace.lines.last(), QStringLiteral("dialog frmAbout \"\" owner=frmMain -> close"));
    EXPECT_FALSE(presenter.isLoaded(about));

    // A form that unloads itself while loading must not leave the caller waiting.
    struct Vanishing : NamedForm {
        using NamedForm::NamedForm;
        void onLoad() override { closeBox(); }
    } vanishing(QStringLiteral("frmSaveLogo"));
    presenter.showModal(vanishing, &owner);
    EXPECT_FALSE(presenter.isLoaded(vanishing));
}

TEST(ScriptedSystemDialogs, AnswersFromTheQueueOrTheFirstButton)
{
    test::RecordingTrace trace;
    AnswerQueue answers;
    ScriptedSystemDialogs dialogs(trace, answers);
    using namespace message_box;
    EXPECT_EQ(dialogs.messageBox("Proceed?", "Vantamorph", Buttons::YesNo, Icon::Question), Answer::Yes);
    answers.push(AnswerQueue::Kind::MsgBox, "no");
    EXPECT_EQ(dialogs.messageBox("Proceed?", "T", Buttons::YesNoCancel, Icon::Question), Answer::No);
    answers.push(AnswerQueue::Kind::MsgBox, "cancel");
    EXPECT_EQ(dialogs.messageBox("Line1\r\nLine2", "", Buttons::Ok, Icon::None), Answer::Ok);
    EXPECT_EQ(trace.lines, QStringList({
                               R"(msgbox "Proceed?" title="Vantamorph" -> yes (unanswered))",
                               R"(msgbox "Proceed?" title="T" -> no)",
                               R"(msgbox "Line1\r\nLine2" title="" -> ok (no button "cancel"))",
                           }));

    answers.push(AnswerQueue::Kind::SaveFile, "/tmp/logo one.vmp");
    FileDialogRequest request;
    request.title = "Save As";
    request.filter = "Vantamorph Logos (*.vmp)| *.vmp";
    EXPECT_EQ(dialogs.saveFile(request), QStringLiteral("/tmp/logo one.vmp"));
    EXPECT_EQ(dialogs.openFile(request), QString());
    EXPECT_EQ(trace.lines.mid(3),
              QStringList({R"(filedialog save "Save As" "Vantamorph Logos (*.vmp)| *.vmp" -> "/tmp/logo one.vmp")",
                           R"(filedialog open "Save As" "Vantamorph Logos (*.vmp)| *.vmp" -> "" (unanswered))"}));

    ScriptedShellOpener shell(trace);
    shell.open("open", "https://example.com/?a=1&b=\"2\"", 1);
    EXPECT_EQ(trace.lines.last(), QStringLiteral(R"(shell "open" "https://example.com/?a=1&b=\"2\"")"));
}

TEST(ScriptTranscript, EveryLineIsOnDiskAtOnce)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("out.txt");
    ScriptTranscript transcript(path);
    ASSERT_TRUE(transcript.isOpen());
    transcript.write(QStringLiteral("state CurrentProjectFile \"Løgo\""));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("state CurrentProjectFile \"L\xC3\xB8go\"\n"));
    EXPECT_FALSE(ScriptTranscript(folder.filePath("missing/out.txt")).isOpen());
}

} // namespace
} // namespace vm
