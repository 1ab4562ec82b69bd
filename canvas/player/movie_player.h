#pragma once

#include "protocol/player_control.h"

#include <QHash>

namespace vm {

class Trace;

// What every player here shares: the Movie property with its file check, the
// movie variables, the clip calls and the size. A player without a loaded
// movie fails the scripting calls, as an empty player control does.
class MoviePlayer : public PlayerControl {
public:
    MoviePlayer(QString controlName, Trace& trace);

    void setMovie(const QString& path) override;
    QString movie() const override { return movie_; }
    bool isLoaded() const { return loaded_; }

    void setVariable(const QString& name, const QString& value) override;
    void tGotoFrame(const QString& target, int frame) override;
    void tPlay(const QString& target) override;
    QString callFunction(const QString& request) override;

    void setSize(const QSize& size) override { size_ = size; }
    QSize size() const override { return size_; }

    QString variable(const QString& name) const { return variables_.value(name); }
    const QString& controlName() const { return controlName_; }

    // The movie raises a command (FSCommand).
    void raise(const QString& command, const QString& argument) { raiseCommand(command, argument); }

protected:
    // A movie has loaded: a canvas movie announces itself here.
    virtual void movieLoaded() {}
    // "/Interaction" was sent to frame 2 and played: the host's command is in the variables.
    virtual void interactionPlayed(const QString& command, const QString& argument) { Q_UNUSED(command); Q_UNUSED(argument); }
    virtual QString functionCalled(const QString& request) { Q_UNUSED(request); return QString(); }

    Trace& trace_;

private:
    void requireMovie() const;

    QString controlName_;
    QString movie_;
    bool loaded_ = false;
    QHash<QString, QString> variables_;
    int interactionFrame_ = 1;
    QSize size_;
};

} // namespace vm
