#include "shell/web_links.h"

#include "platform/api/path_style.h"
#include "platform/api/system_services.h"
#include "platform/api/window_registry.h"
#include "shell/log/error_trap.h"
#include "shell/message_dialogs.h"

#include <QFile>
#include <QTextStream>

#include <algorithm>

namespace vm {

const QString WebLinks::endpoint = QStringLiteral("https://www.vantamorph.com/appdirect.asp");

WebLinks::WebLinks(QString programFolder, QString installRoot, ShellOpener& shell, NetworkInfo& network,
                   MessageDialogs& dialogs, ErrorTrap& trap)
    : programFolder_(std::move(programFolder)), installRoot_(std::move(installRoot)), shell_(shell),
      network_(network), dialogs_(dialogs), trap_(trap)
{
}

QString WebLinks::BuildWebUrl(const QString& pageKey) const
{
    const QString source = GetInstallSource();
    const QString page = pageKey.toLower() == QLatin1String("logotaglinessamples") ? QStringLiteral("logotaglinessamples")
                                                                                   : QStringLiteral("homepage");
    // The query is sent as written: the tag and page need no encoding.
    return endpoint + QStringLiteral("?utm_source=") + source + QStringLiteral("&utm_medium=PPD&utm_campaign=") + source
           + QStringLiteral("&gotopg=") + page;
}

QString WebLinks::ReadInstallLog() const
{
    QFile log(installRoot_ + path_style::separator + QStringLiteral("install.log"));
    if (!log.exists() || !log.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QString result;
    QTextStream lines(&log);
    while (!lines.atEnd()) {
        const QString line = lines.readLine().toLower();
        const qsizetype source = line.indexOf(QLatin1String("source:"));
        const qsizetype exe = line.lastIndexOf(QLatin1String(".exe"));
        // Installers log Windows paths; a log written here may use our separator.
        const qsizetype slash = std::max(line.lastIndexOf(QLatin1Char('\\')), line.lastIndexOf(QLatin1Char('/')));
        if (source < 0 || exe < 0 || slash < 0)
            continue;
        const QString candidate = line.mid(slash + 1, exe + 4 - (slash + 1));
        if (candidate.size() > 1)
            result = candidate;
    }
    return result;
}

QString WebLinks::GetInstallSource() const
{
    const QString name = ReadInstallLog().toLower();
    const qsizetype exe = name.lastIndexOf(QLatin1String(".exe"));
    const qsizetype underscore = name.lastIndexOf(QLatin1Char('_'));
    if (exe < 0 || underscore < 0 || underscore > exe)
        return QStringLiteral("default");
    return name.mid(underscore + 1, exe - underscore - 1);
}

bool WebLinks::chkOnNet()
{
    const QString address = network_.localAddress();
    return !address.isEmpty() && address != QLatin1String("127.0.0.1");
}

void WebLinks::openPage(const QString& label, const QString& pageKey, Form* mainForm)
{
    trap_.run(label, [&] {
        const QString address = BuildWebUrl(pageKey);
        if (chkOnNet())
            shell_.open(QStringLiteral("open"), address, show_command::Normal);
        else
            dialogs_.Alert(QStringLiteral("Internet connection not found."), mainForm);
    });
}

void WebLinks::mnuVantamorphWeb(Form* mainForm)
{
    openPage(QStringLiteral("frmMain\\mnuVantamorphWeb"), QStringLiteral("homepage"), mainForm);
}

void WebLinks::mnuResourceTagline(Form* mainForm)
{
    openPage(QStringLiteral("frmMain\\mnuResourceTagline"), QStringLiteral("LogoTaglinesSamples"), mainForm);
}

QString WebLinks::helpFilePath() const
{
    return programFolder_ + path_style::separator + QStringLiteral("Vantamorph.html");
}

void WebLinks::mnuHelp()
{
    trap_.run(QStringLiteral("frmMain\\mnuHelp"),
              [&] { shell_.open(QStringLiteral("open"), helpFilePath(), show_command::Normal); });
}

} // namespace vm
