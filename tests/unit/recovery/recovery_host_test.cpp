#include "recovery/recovery.h"
#include "tests/unit/shell/host_fixture.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace vm::test {
namespace {

const QString ae = QString(QChar(0x00E6));
const QString logoXml = QStringLiteral("<VantamorphLogo version=\"1\"><text>caf\u00e9 \u00e6</text></VantamorphLogo>");

// A started program with recovery plugged in, on fake platform services.
class RecoveryHostTest : public HostFixture {
protected:
    RecoverySettings settings() const
    {
        RecoverySettings settings;
        settings.intervalSeconds = 0.05;
        settings.folder = root.path() + QStringLiteral("/state/vantamorph/recovery");
        return settings;
    }

    void start()
    {
        makeHost();
        recovery = std::make_unique<Recovery>(seams().recovery(), settings());
        recovery->autosave().onWritten = [this](const WriteOutcome& outcome) { writes.append(outcome); };
        startToReady();
    }

    // A copy that autosaved and then died.
    void crashedCopy(const QString& project, const QByteArray& xml)
    {
        RecoveryStore crashed(settings().folder);
        ASSERT_TRUE(crashed.open());
        ASSERT_TRUE(crashed.writeProject(project).ok);
        ASSERT_TRUE(crashed.writeLogo(xml).ok);
    }

    bool asked(const QString& form) const { return forms.shownForms().contains(form); }
    QString lastMessage() const { return forms.shown.isEmpty() ? QString() : forms.shown.last().message; }
    QStringList recoveryFiles() const { return QDir(settings().folder).entryList(QDir::Files); }
    qsizetype autosaveRequests() const { return canvasCommands().count(QStringLiteral("autosave|")); }

    // The canvas answers the host's request, as the real canvas does.
    void canvasAnswers(const QString& xml)
    {
        ASSERT_TRUE(runUntil([&] { return autosaveRequests() > answered; }));
        ++answered;
        host->dispatcher.skwFlash_FSCommand(QStringLiteral("autosave"), xml);
    }

    std::unique_ptr<Recovery> recovery;
    QList<WriteOutcome> writes;
    qsizetype answered = 0;
};

TEST_F(RecoveryHostTest, UnsavedChangesAreAutosavedBesideTheProjectAndRemovedOnceSaved)
{
    start();
    const QString project = root.path() + QStringLiteral("/logo.vmp");
    QCoreApplication::processEvents();
    EXPECT_EQ(autosaveRequests(), 0) << "nothing unsaved, nothing asked";

    host->dispatcher.skwFlash_FSCommand(QStringLiteral("datatosave"), QStringLiteral("true"));
    host->state.currentProjectFile = project;
    canvasAnswers(logoXml);
    ASSERT_TRUE(runUntil([&] { return !writes.isEmpty(); }));
    ASSERT_TRUE(writes[0].ok) << writes[0].reason.toStdString();

    RecoveryStore& store = recovery->store();
    EXPECT_EQ(QString::fromUtf8(readFile(store.logoPath())), logoXml);
    EXPECT_EQ(QJsonDocument::fromJson(readFile(store.infoPath())).object().value(QStringLiteral("project")).toString(),
              project);
    EXPECT_TRUE(host->state.isDirty) << "an autosave is not a save";
    EXPECT_FALSE(QFileInfo::exists(project)) << "the project file is never touched";

    // Every interval again while unsaved.
    canvasAnswers(logoXml + QStringLiteral("<!-- more -->"));
    ASSERT_TRUE(runUntil([&] { return writes.size() == 2; }));
    EXPECT_TRUE(readFile(store.logoPath()).endsWith("<!-- more -->"));

    // Saved: the recovery data goes, and an answer nobody asked for writes nothing.
    host->dispatcher.skwFlash_FSCommand(QStringLiteral("datatosave"), QStringLiteral("false"));
    ASSERT_TRUE(runUntil([&] { return !store.hasOwnData(); }));
    host->dispatcher.skwFlash_FSCommand(QStringLiteral("autosave"), logoXml);
    QCoreApplication::processEvents();
    EXPECT_FALSE(store.hasOwnData());
    EXPECT_EQ(writes.size(), 2);

    // A clean end leaves nothing at all, with or without unsaved changes.
    host->dispatcher.skwFlash_FSCommand(QStringLiteral("datatosave"), QStringLiteral("true"));
    canvasAnswers(logoXml);
    host->endProgram();
    EXPECT_TRUE(recoveryFiles().isEmpty()) << recoveryFiles().join(u' ').toStdString();
    EXPECT_TRUE(errorLog().isEmpty()) << errorLog().toStdString();
}

TEST_F(RecoveryHostTest, ACrashedCopysLogoIsOfferedOnceAndYesRestoresItAsUnsavedChangesOfItsProject)
{
    const QString project = root.path() + QStringLiteral("/logo one.vmp");
    writeFile(project, logoXml.toUtf8()); // only an existing logo project is written over
    crashedCopy(project, logoXml.toUtf8());
    forms.clicks.append(QStringLiteral("imgOK")); // Yes
    start();

    ASSERT_TRUE(asked(QStringLiteral("frmMessageBoxYN")));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("logo one.vmp"))) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd"))));
    const QString ownLogo = recovery->store().logoPath();
    EXPECT_TRUE(canvasCommands().contains(QStringLiteral("recover open|") + ownLogo + ae + project));
    EXPECT_EQ(QString::fromUtf8(readFile(ownLogo)), logoXml) << "taken over until the next autosave replaces it";
    EXPECT_EQ(host->state.currentProjectFile, project);
    EXPECT_TRUE(host->state.isDirty);

    // Asked once: the restored logo belongs to this running copy now.
    const qsizetype questions = forms.shownForms().count(QStringLiteral("frmMessageBoxYN"));
    host->lifeCycle.raise(LifeCycle::ready);
    EXPECT_EQ(forms.shownForms().count(QStringLiteral("frmMessageBoxYN")), questions);
    RecoveryStore other(settings().folder);
    ASSERT_TRUE(other.open());
    EXPECT_TRUE(other.scan(QDateTime::currentDateTimeUtc(), 30).offers.isEmpty());
}

} // namespace
} // namespace vm::test
