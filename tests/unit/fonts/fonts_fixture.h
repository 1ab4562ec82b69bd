#pragma once

#include "platform/api/installed_fonts.h"
#include "platform/api/process_runner.h"
#include "fonts/user_fonts.h"
#include "tests/unit/shell/host_fixture.h"

#include <QHash>
#include <QMutex>
#include <QSemaphore>
#include <atomic>

namespace vm::test {

// Font files on disk whose names are told, not read; a gate can hold the scan.
struct FakeInstalledFonts : InstalledFonts {
    QStringList folders;
    std::atomic<int> opened{0};
    QSemaphore* gate = nullptr; // each name read takes one permit

    void addFile(const QString& path, const QString& name, const QByteArray& content = "font")
    {
        writeFile(path, content);
        QMutexLocker lock(&mutex_);
        names_.insert(path, name);
    }
    QStringList systemFontFolders() override { return folders; }
    QString faceName(const QString& path) override
    {
        if (gate)
            gate->acquire();
        ++opened;
        QMutexLocker lock(&mutex_);
        return names_.value(path, QStringLiteral(""));
    }

private:
    QMutex mutex_;
    QHash<QString, QString> names_;
};

// The compiler as the import sees it: every run is kept, and the movie (the
// last argument) is written unless the run is told to fail.
struct FakeFontCompiler : ProcessRunner {
    QStringList commandLines;
    QStringList folders;
    QList<int> statuses; // per run, in order; 0 when none is left
    bool runProcess(const QString&, const QString&, int, int, int) override { return false; }
    int runForExitCode(const QString& line) override { return runForExitCodeIn(line, QString()); }
    int runForExitCodeIn(const QString& line, const QString& folder) override
    {
        commandLines.append(line);
        folders.append(folder);
        const int status = statuses.isEmpty() ? 0 : statuses.takeFirst();
        if (status == 0)
            writeFile(splitCommandLine(line).last(), "FWS movie of " + line.toUtf8());
        return status;
    }
};

// A started program whose installed fonts live in root/windows/Fonts.
class FontsFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        os.variables.insert(QStringLiteral("windir"), root.path() + QStringLiteral("/windows"));
    }
    void start()
    {
        makeHost();
        userFonts = std::make_unique<UserFonts>(seams().fonts(), fonts, compiler, QString());
        startToReady();
        forms.shown.clear();
    }
    QString fontFile(const QString& name) const { return root.path() + QStringLiteral("/windows/Fonts/") + name; }
    QString flash(const QString& name) const { return root.path() + QStringLiteral("/flash/") + name; }
    QString datasrc(const QString& name) const { return root.path() + QStringLiteral("/datasrc/") + name; }
    QStringList alerts() const
    {
        QStringList messages;
        for (const auto& shown : forms.shown)
            if (shown.form == QLatin1String("frmAlert"))
                messages.append(shown.message);
        return messages;
    }

    FakeInstalledFonts fonts;
    FakeFontCompiler compiler;
    std::unique_ptr<UserFonts> userFonts;
};

} // namespace vm::test
