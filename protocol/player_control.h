#pragma once

#include <QSize>
#include <QString>
#include <functional>

namespace vm {

// The movie player embedded in a window: the host's only way to the canvas.
// The host loads a movie, writes movie variables, moves and plays clips and
// calls functions; the movie answers by raising commands (FSCommand).
// A call the player cannot carry out throws RunTimeError.
class PlayerControl {
public:
    using CommandHandler = std::function<void(const QString& command, const QString& argument)>;

    virtual ~PlayerControl() = default;

    // The Movie property. Loading a movie that is missing or not a movie
    // leaves the player empty: it will raise no commands.
    virtual void setMovie(const QString& path) = 0;
    virtual QString movie() const = 0;

    virtual void setVariable(const QString& name, const QString& value) = 0;
    virtual void tGotoFrame(const QString& target, int frame) = 0;
    virtual void tPlay(const QString& target) = 0;
    virtual QString callFunction(const QString& request) = 0;
    virtual void play() {}

    virtual void setSize(const QSize& size) = 0;
    virtual QSize size() const = 0;

    // The FSCommand event.
    void onCommand(CommandHandler handler) { handler_ = std::move(handler); }

protected:
    void raiseCommand(const QString& command, const QString& argument)
    {
        if (handler_)
            handler_(command, argument);
    }

private:
    CommandHandler handler_;
};

} // namespace vm
