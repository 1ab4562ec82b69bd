#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace vm {

// Where recovery data lives and how often it is written. The interval comes
// from the per-user settings file ($XDG_CONFIG_HOME/vantamorph/settings.ini,
// key autosave/intervalSeconds); VANTAMORPH_AUTOSAVE_SECONDS overrides it.
// Zero or less switches autosave off; anything unreadable means the default.
struct RecoverySettings {
    static constexpr double defaultIntervalSeconds = 60;
    static constexpr int keepDays = 30;

    double intervalSeconds = defaultIntervalSeconds;
    QString folder; // the recovery folder: $XDG_STATE_HOME/vantamorph/recovery

    static RecoverySettings fromEnvironment(const QProcessEnvironment& environment);
    static QString settingsFile(const QProcessEnvironment& environment);
    bool enabled() const { return intervalSeconds > 0; }
};

} // namespace vm
