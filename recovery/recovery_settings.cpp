#include "recovery/recovery_settings.h"

#include <QDir>
#include <QSettings>

#include <cmath>

namespace vm {

namespace {
// An XDG base folder: the variable when it holds an absolute path, the
// fallback under the home folder otherwise.
QString baseFolder(const QProcessEnvironment& environment, const QString& variable, const QString& fallback)
{
    const QString value = environment.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    const QString home = environment.value(QStringLiteral("HOME"), QDir::homePath());
    return home + QLatin1Char('/') + fallback;
}

bool readSeconds(const QString& text, double& seconds)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (ok && std::isfinite(value))
        seconds = value;
    return ok;
}
} // namespace

QString RecoverySettings::settingsFile(const QProcessEnvironment& environment)
{
    return baseFolder(environment, QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral(".config"))
        + QStringLiteral("/vantamorph/settings.ini");
}

RecoverySettings RecoverySettings::fromEnvironment(const QProcessEnvironment& environment)
{
    RecoverySettings settings;
    settings.folder = baseFolder(environment, QStringLiteral("XDG_STATE_HOME"), QStringLiteral(".local/state"))
        + QStringLiteral("/vantamorph/recovery");
    const QSettings file(settingsFile(environment), QSettings::IniFormat);
    readSeconds(file.value(QStringLiteral("autosave/intervalSeconds")).toString(), settings.intervalSeconds);
    readSeconds(environment.value(QStringLiteral("VANTAMORPH_AUTOSAVE_SECONDS")), settings.intervalSeconds);
    return settings;
}

} // namespace vm
