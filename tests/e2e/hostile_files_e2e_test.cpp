// Pipes, folders and devices where the program expects a file: every session
// and command still ends (the runner's time limit turns a hang into a
// failure) and the user reads what the thing really is.
#include "tests/e2e/session_runner.h"

#include <sys/resource.h>
#include <sys/stat.h>

namespace vm::e2e {
namespace {

const QByteArray ae = QString(QChar(0x00E6)).toUtf8();

void makePipe(const QString& path)
{
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0) << path.toStdString();
}

void linkToZero(const QString& path)
{
    QFile::remove(path);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path)) << path.toStdString();
}

QString alertSaying(const QString& text)
{
    return QStringLiteral("dialog frmAlert \"") + text + QLatin1Char('"');
}

// The open dialog and the recent list name what the chosen thing is.
TEST(HostileFilesSession, OpeningAPipeAFolderOrADeviceSaysWhatItIs)
{
    InstalledProgram program;
    const QString pipe = program.installRoot() + QStringLiteral("pipe.vmp");
    const QString zero = program.installRoot() + QStringLiteral("zero.vmp");
    const QString folder = program.installRoot() + QStringLiteral("folder.vmp");
    makePipe(pipe);
    linkToZero(zero);
    ASSERT_TRUE(QDir().mkpath(folder));
    writeFile(program.file(QStringLiteral("App.Config")),
              "<configuration><LogoHistory><FilePath>" + pipe.toUtf8() + "</FilePath><FilePath>" + zero.toUtf8()
                  + "</FilePath><FilePath>Nothing</FilePath><FilePath>Nothing</FilePath>"
                    "<FilePath>Nothing</FilePath></LogoHistory></configuration>");
    const auto result = program.run("wait ready\nanswer openfile " + quoted(pipe) + "\nkey \"Ctrl+O\"\nanswer openfile "
                                    + quoted(folder) + "\nkey \"Ctrl+O\"\nmenu \"mnuFile2\"\ndump state\n");
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    const QString cannot = QStringLiteral("The logo project cannot be opened: ");
    EXPECT_FALSE(matching(result.transcript, alertSaying(cannot + pipe + QStringLiteral(" is a pipe, not a file."))).isEmpty())
        << result.shown();
    EXPECT_FALSE(matching(result.transcript, alertSaying(cannot + folder + QStringLiteral(" is a folder, not a file."))).isEmpty());
    EXPECT_FALSE(matching(result.transcript, alertSaying(cannot + zero + QStringLiteral(" is a device, not a file."))).isEmpty());
    EXPECT_TRUE(matching(result.transcript, QStringLiteral("toFlash \"result open\"")).isEmpty());
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("state CurrentProjectFile \"New\"")));
}

TEST(HostileFilesCommand, ExportOfAPipeOrADeviceFailsAtOnceWithWhatItIs)
{
    InstalledProgram program;
    const QString pipe = program.installRoot() + QStringLiteral("pipe.vmp");
    const QString zero = program.installRoot() + QStringLiteral("zero.vmp");
    makePipe(pipe);
    linkToZero(zero);
    const auto fromPipe = program.runInTerminal(
        {QStringLiteral("--export"), pipe, QStringLiteral("--out"), program.installRoot() + QStringLiteral("logo.png")});
    EXPECT_EQ(fromPipe.exitCode, 1);
    EXPECT_TRUE(fromPipe.errors.contains(pipe.toUtf8() + " is a pipe, not a file")) << fromPipe.errors.toStdString();
    const auto fromZero = program.runInTerminal(
        {QStringLiteral("--brand-pack"), zero, QStringLiteral("--out"), program.installRoot() + QStringLiteral("pack")});
    EXPECT_EQ(fromZero.exitCode, 1);
    EXPECT_TRUE(fromZero.errors.contains(zero.toUtf8() + " is a device, not a file")) << fromZero.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(program.installRoot() + QStringLiteral("logo.png")));

    // A user font list and a font movie that are pipes only cost the export those fonts.
    const QString project = program.installRoot() + QStringLiteral("logo.vmp");
    writeFile(project, "<VantamorphLogo version=\"1\" width=\"200\" height=\"100\" background=\"#ffffff\">"
                       "<Text x=\"10\" y=\"10\" width=\"180\" height=\"60\" color=\"#000000\" font=\"Lato\" size=\"30\" text=\"Ab\"/>"
                       "</VantamorphLogo>");
    QDir().mkpath(program.installRoot() + QStringLiteral("flash"));
    makePipe(program.installRoot() + QStringLiteral("flash/Lato.swf"));
    writeFile(program.installRoot() + QStringLiteral("datasrc/Font_user.xml"), "<userfonts><font name=\"Lato\"/></userfonts>");
    EXPECT_EQ(program.runInTerminal({QStringLiteral("--export"), project, QStringLiteral("--out"),
                                     program.installRoot() + QStringLiteral("one.png")})
                  .exitCode,
              0);
    makePipe(program.installRoot() + QStringLiteral("datasrc/Font_user.xml"));
    EXPECT_EQ(program.runInTerminal({QStringLiteral("--export"), project, QStringLiteral("--out"),
                                     program.installRoot() + QStringLiteral("two.png")})
                  .exitCode,
              0);
}

// A save refused by the user's file size limit names that limit, in the
// alert and in Error.log, and the program lives on.
TEST(HostileFilesSession, ASavePastTheFileSizeLimitSaysTheFileIsTooLarge)
{
    InstalledProgram program;
    const QString target = program.installRoot() + QStringLiteral("big.vmp");
    const QByteArray logo = "<VantamorphLogo version=\"1\"><!--" + QByteArray(256 * 1024, 'x') + "--></VantamorphLogo>";
    const QString scriptPath = program.root_path() + QStringLiteral("/limit.txt");
    writeFile(scriptPath, "wait ready\ncanvas \"show save\" " + quoted(target + QString::fromUtf8(ae + logo)) + "\nwait idle\n");
    QProcess process;
    process.setProcessEnvironment(program.environment);
    // The transcript goes to a pipe, which the limit does not touch.
    process.setChildProcessModifier([] {
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(program.programFolder() + QStringLiteral("/vantamorph"), {QStringLiteral("--script"), scriptPath});
    ASSERT_EQ(InstalledProgram::finish(process, 30000), 0) << process.readAllStandardError().toStdString();
    const QString transcript = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(transcript.contains(QStringLiteral("dialog frmAlert \"The logo could not be saved to \\\"") + target
                                    + QStringLiteral("\\\": File too large")))
        << transcript.right(2000).toStdString();
    EXPECT_TRUE(program.errorLog().contains("File too large")) << program.errorLog().toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(QDir(program.installRoot()).entryList({QStringLiteral("big.vmp*")}, QDir::Files | QDir::Hidden), QStringList());
}

// The history, the language file, the clip-art catalogue, font files, an own
// template and the script.
TEST(HostileFilesSession, HostFilesFontsAndTemplatesThatAreNoFilesDoNotHoldTheSession)
{
    InstalledProgram program;
    makePipe(program.file(QStringLiteral("App.Config")));
    makePipe(program.file(QStringLiteral("Xml/english.xml")));
    makePipe(program.installRoot() + QStringLiteral("datasrc/VM_Logos.xml"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf"),
                            program.fontsFolder() + QStringLiteral("/Lato-Regular.ttf")));
    makePipe(program.fontsFolder() + QStringLiteral("/Pipe.ttf"));
    linkToZero(program.fontsFolder() + QStringLiteral("/Zero.TTF"));
    const QString own = program.root_path() + QStringLiteral("/data/Vantamorph/templates");
    ASSERT_TRUE(QDir().mkpath(own));
    linkToZero(own + QStringLiteral("/zero.xml"));
    program.environment.insert(QStringLiteral("XDG_DATA_HOME"), program.root_path() + QStringLiteral("/data"));
    program.extraArguments = {QStringLiteral("--canvas"), QStringLiteral("reference")};
    const auto result = program.run("wait ready\ncanvas \"add keyword\" \"Geometric" + ae + "circle" + ae + "round\"\nwait idle\n"
                                    "menu \"mnuFromTemplate\"\ngallery \"My templates\" \"zero\"\n"
                                    "gallery \"Sport\" \"Team Star\"\nwait 300\n");
    ASSERT_EQ(result.exitCode, 0) << result.shown();
    const QString language = program.file(QStringLiteral("Xml/english.xml"));
    EXPECT_FALSE(matching(result.transcript, QStringLiteral("msgbox \"Failed to load <") + language
                                                 + QStringLiteral(">.\\r\\n\\r\\n") + language
                                                 + QStringLiteral(" is a pipe, not a file.\""))
                     .isEmpty())
        << result.shown();
    const QByteArray log = program.errorLog();
    EXPECT_TRUE(log.contains("App.Config is a pipe, not a file")) << log.toStdString();
    EXPECT_TRUE(log.contains("VM_Logos.xml is a pipe, not a file")) << log.toStdString();
    EXPECT_EQ(result.transcript.count(QStringLiteral("toFlash \"fontlist\" \"Lato,\" -> true")), 1) << result.shown();
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("gallery \"My templates\" \"zero\" -> no such template")));
    EXPECT_TRUE(result.transcript.contains(QStringLiteral("toFlash \"drawtemplate\" \"true\" -> true")));
    EXPECT_TRUE(result.errors.contains("zero.xml is a device, not a file")) << result.shown();

    const QString script = program.root_path() + QStringLiteral("/script.pipe");
    makePipe(script);
    const auto scripted = program.runInTerminal({QStringLiteral("--script"), script});
    EXPECT_EQ(scripted.exitCode, 2);
    EXPECT_TRUE(scripted.errors.contains(script.toUtf8() + " is a pipe, not a file")) << scripted.errors.toStdString();
}

} // namespace
} // namespace vm::e2e
