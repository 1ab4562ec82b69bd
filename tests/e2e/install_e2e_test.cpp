// An installed, read-only program run by an ordinary user: everything the
// user makes goes to the user's XDG places, and the installed tree is left
// byte for byte as it was.
#include "tests/e2e/session_runner.h"

#include <QCryptographicHash>
#include <QImageReader>
#include <QImage>

namespace vm::e2e {
namespace {

const QString ae = QStringLiteral("\u00e6");

bool succeeds(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment = {})
{
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Installs the program below destdir with prefix /usr: usr/lib/vantamorph/ (the
// install root, program folder Vantamorph/ in it) and usr/bin/vantamorph, a
// relative link to the executable.
QString installInto(const QString& destdir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", destdir);
    return succeeds(VM_CMAKE, {"--install", VM_BUILD_DIR, "--prefix", "/usr"}, environment)
               ? QString()
               : QStringLiteral("cmake --install failed");
}

// Every entry below folder with its type, mode and content (a link by its target).
QMap<QString, QByteArray> treeFingerprint(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        struct stat facts {};
        ::lstat(QFile::encodeName(path).constData(), &facts);
        QByteArray print = QByteArray::number(facts.st_mode, 8) + ' ';
        if (info.isSymLink())
            print += "-> " + QFile::encodeName(info.symLinkTarget());
        else if (info.isFile())
            print += QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex();
        entries.insert(path.mid(folder.size()), print);
    }
    return entries;
}

// The installed program in a temporary DESTDIR, made read-only, and a home
// of its own (nobody's when the tests run as root) for the user who runs it.
class ReadOnlyInstall {
public:
    // Why the sessions cannot run; empty when they can.
    QString prepare()
    {
        QFile::setPermissions(folder_.path(), QFile::permissions(folder_.path()) | QFileDevice::ExeOther | QFileDevice::ReadOther);
        if (const QString why = installInto(destdir()); !why.isEmpty())
            return why;
        for (const char* folder : {"/tmp", "/run", "/windows/Fonts", "/out"})
            QDir().mkpath(home() + QLatin1String(folder));
        QFile::setPermissions(home() + "/run", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME",
                                 "VANTAMORPH_SPOOLER_DIR", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        // Only HOME: the program finds its places by the XDG defaults below it.
        environment.insert("HOME", home());
        environment.insert("TMPDIR", home() + "/tmp");
        environment.insert("XDG_RUNTIME_DIR", home() + "/run");
        environment.insert("windir", home() + "/windows");
        if (!succeeds("chmod", {"-R", "a-w", destdir()}))
            return QStringLiteral("cannot make the installed tree read-only");
        return ::geteuid() == 0 ? dropRootToNobody(folder_.path(), environment, launcher) : QString();
    }
    // Gives the home (and what the test put there) to the user the sessions run as.
    bool handHomeOver() const { return ::geteuid() != 0 || succeeds("chown", {"-R", "nobody:nogroup", home()}); }

    ~ReadOnlyInstall()
    {
        // The temporary folder must be removable again.
        succeeds("chmod", {"-R", "u+w", folder_.path()});
    }

    QString destdir() const { return folder_.path() + QStringLiteral("/destdir"); }
    QString installRoot() const { return destdir() + QStringLiteral("/usr/lib/vantamorph"); }
    QString home() const { return folder_.path() + QStringLiteral("/home"); }
    QString data() const { return home() + QStringLiteral("/.local/share/vantamorph"); }

    // A scripted session through usr/bin/vantamorph with the real canvas.
    InstalledProgram::Result session(const QString& script, int timeoutMs = 30000)
    {
        const QString path = home() + QStringLiteral("/script-%1").arg(++sessions_);
        writeFile(path, script.toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ReadOther);
        const QStringList arguments{destdir() + QStringLiteral("/usr/bin/vantamorph"), QStringLiteral("--script"), path,
                                    QStringLiteral("--transcript"), path + QStringLiteral(".out"),
                                    QStringLiteral("--canvas"), QStringLiteral("reference")};
        QProcess process;
        process.setProcessEnvironment(environment);
        const QStringList command = launcher + arguments;
        process.start(command.first(), command.mid(1));
        InstalledProgram::Result result;
        result.exitCode = InstalledProgram::finish(process, timeoutMs);
        result.errors = process.readAllStandardError();
        result.transcript = QString::fromUtf8(readFile(path + QStringLiteral(".out"))).split('\n', Qt::SkipEmptyParts);
        return result;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList launcher;

private:
    QTemporaryDir folder_;
    int sessions_ = 0;
};

QString quotedText(const QString& text) { return QString::fromUtf8(quoted(text)); }

TEST(ReadOnlyInstall, AnOrdinaryUserSavesPublishesUploadsAndImportsWithNothingWrittenUnderTheTree)
{
    ReadOnlyInstall install;
    if (const QString why = install.prepare(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QMap<QString, QByteArray> before = treeFingerprint(install.destdir());
    ASSERT_GT(before.size(), 100);

    const QString home = install.home();
    QImage photo(120, 80, QImage::Format_RGB32);
    photo.fill(Qt::red);
    ASSERT_TRUE(photo.save(home + "/photo.png", "PNG"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VM_SOURCE_DIR "/data/fonts/Lato-Regular.ttf"), home + "/windows/Fonts/Lato-Regular.TTF"));
    ASSERT_TRUE(install.handHomeOver());
    const QString project = home + "/out/logo.vmp";
    const QString png = home + "/out/logo.png";
    const QString fontList = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><userfonts><font name=\"Lato\"/></userfonts>");

    const auto first = install.session(
        "wait ready\ndump state\n"
        "menu \"mnuAddText\"\nanswer savefile " + quotedText(project) + "\nkey \"Ctrl+S\"\nwait 800\n"
        "canvas \"add keyword\" \"Commerce" + ae + "coffee" + ae + "morning\"\n"
        "answer openfile " + quotedText(home + "/photo.png") + "\ncanvas \"fnbrowseimage\" \"\"\nwait 300\n"
        "canvas \"cropimage\" \"0" + ae + "0" + ae + "40" + ae + "40" + ae + ae + "50\"\nwait 300\n"
        "canvas \"importfonts\" " + quotedText("Lato" + ae + fontList) + "\nwait idle\n"
        "answer yesno \"yes\"\nanswer savefile " + quotedText(png) + "\nanswer alert \"ok\"\n"
        "menu \"mnuPublishPNG100%\"\nwait idle\ndump state\n", 60000);
    ASSERT_EQ(first.exitCode, 0) << first.shown();
    const QStringList& lines = first.transcript;
    // The transcript shows the install root as always, and where the user's files went.
    EXPECT_TRUE(lines.contains("state InstallRoot \"" + install.installRoot() + "/\"")) << first.shown();
    EXPECT_TRUE(lines.contains("state UserConfig \"" + home + "/.config/vantamorph/App.Config\"")) << first.shown();
    const QString errorLog = home + "/.local/state/vantamorph/Error.log";
    // Nothing failed but the look-up of a default printer the user does not have yet (the publish installs it).
    EXPECT_EQ(matching(lines, "log "), QStringList{"log \"frmSaveLogo\\\\imgSave_Click\""}) << readFile(errorLog).toStdString();
    EXPECT_TRUE(first.has("dialog frmAlert \"Keyword has been added successfully.\"")) << first.shown();
    EXPECT_TRUE(first.has("toFlash \"loaduserfonts\" \"True\" -> true")) << first.shown();
    EXPECT_TRUE(first.has("dialog frmAlert \"Your logo has been published.\" owner=frmMain -> ok")) << first.shown();

    // Project and picture where the user asked; the user's own files in the user's places.
    EXPECT_TRUE(readFile(project).startsWith("<")) << first.shown();
    EXPECT_EQ(QImageReader(png).size(), QSize(507, 397));
    EXPECT_TRUE(readFile(home + "/.config/vantamorph/App.Config").contains(project.toUtf8()));
    EXPECT_TRUE(readFile(install.data() + "/datasrc/ClipArts/Commerce/Commerce.xml").contains(",morning</Keywords>"));
    EXPECT_EQ(readFile(install.data() + "/datasrc/Font_user.xml"), fontList.toUtf8());
    EXPECT_TRUE(readFile(install.data() + "/flash/Lato.swf").startsWith("FWS"));
    const QStringList pictures = QDir(install.data() + "/LogoImages").entryList(QDir::Files);
    EXPECT_EQ(pictures.size(), 2) << pictures.join(',').toStdString(); // the upload and its crop
    EXPECT_EQ(QFileInfo(install.data()).permissions().toInt() & 0x0077, 0) << "the user's data is private";

    // The next start finds the recent file, the keyword and the imported font again.
    const auto second = install.session("wait ready\ndump menu\ncanvas \"add keyword\" \"Commerce" + ae + "coffee" + ae
                                        + "evening\"\n");
    ASSERT_EQ(second.exitCode, 0) << second.shown();
    EXPECT_TRUE(second.has("item \"mnuFile1\" parent=\"mnuRecent\" caption=" + quotedText(project))) << second.shown();
    EXPECT_TRUE(second.has("toFlash \"fontlist\" \"Lato,\" -> true")) << second.shown();
    EXPECT_FALSE(second.has("is drawn in")) << second.shown(); // the imported movie was found
    EXPECT_TRUE(readFile(install.data() + "/datasrc/ClipArts/Commerce/Commerce.xml").contains(",morning,evening</Keywords>"));
    EXPECT_TRUE(matching(second.transcript, "log ").isEmpty()) << readFile(errorLog).toStdString();

    EXPECT_EQ(treeFingerprint(install.destdir()), before);
}

} // namespace
} // namespace vm::e2e
