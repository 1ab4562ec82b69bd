#pragma once

#include "platform/api/print_services.h"
#include "platform/printing/file_spooler.h"
#include "platform/system/linux_os_version.h"
#include "platform/system/linux_process_runner.h"
#include "platform/system/linux_system_locale.h"
#include "print/print_automation.h"
#include "print/printer_setup.h"
#include "tests/unit/shell/host_fixture.h"

namespace vm::test {

// A printer of the user's that is not the print-to-file printer.
inline const QString officeDriver = QStringLiteral("Office Laser Driver");

// A locale the test sets: the language name and the number Windows gives it.
struct FakeSystemLocale : SystemLocale {
    QString name = QStringLiteral("English (United States)");
    QString code = QStringLiteral("en");
    quint32 lcid = 0x0409;
    quint32 systemDefaultLcid() override { return lcid; }
    int getLocaleInfo(quint32 asked, int type, QString* value) override
    {
        if (asked != lcid || type != locale_info::Language || name.isEmpty())
            return 0;
        if (value)
            *value = name;
        return int(name.size()) + 1;
    }
    QString languageCode() override { return code; }
};

struct FakeOsVersion : OsVersion {
    OsVersionInfo info;
    bool getVersionEx(OsVersionInfo& out) override
    {
        out = info;
        return true;
    }
};

struct RecordingProcessRunner : ProcessRunner {
    QStringList commandLines;
    int exitCode = 0;
    std::function<void()> onRun;
    bool runProcess(const QString& line, const QString&, int, int, int) override
    {
        commandLines.append(line);
        return true;
    }
    int runForExitCode(const QString& line) override
    {
        commandLines.append(line);
        if (onRun)
            onRun();
        return exitCode;
    }
};

// A Host on fakes, with a spooler of its own in the temporary folder.
class PrintFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        makeHost();
        host->state.tempRoot = root.path() + QStringLiteral("/temp");
    }

    // The device name of the default printer.
    QString defaultPrinter() { return spooler.profileDevice().section(QLatin1Char(','), 0, 0); }

    QStringList messageBoxTexts() const
    {
        QStringList texts;
        for (const auto& call : dialogs.messageBoxes)
            texts.append(call.text);
        return texts;
    }

    QStringList spoolerProblems;
    FileSpooler spooler{root.path() + QStringLiteral("/spool"),
                        [this](const QString& problem) { spoolerProblems.append(problem); }};
    FakeSystemLocale locale;
    FakeOsVersion osVersion;
    RecordingProcessRunner processes;
    PrintServices services{processes, spooler, locale, osVersion};
};

} // namespace vm::test
