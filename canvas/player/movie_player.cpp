#include "canvas/player/movie_player.h"

#include "canvas/player/movie_file.h"
#include "platform/api/run_time_error.h"
#include "platform/api/trace.h"

namespace vm {

MoviePlayer::MoviePlayer(QString controlName, Trace& trace) : trace_(trace), controlName_(std::move(controlName)) {}

void MoviePlayer::setMovie(const QString& path)
{
    movie_ = path;
    trace_.write(QStringLiteral("movie ") + Trace::quote(controlName_) + QLatin1Char(' ') + Trace::quote(path));
    loaded_ = readMovieHeader(path).valid;
    if (loaded_)
        movieLoaded();
}

void MoviePlayer::requireMovie() const
{
    if (!loaded_)
        throw RunTimeError(error_number::Automation, QStringLiteral("Method '") + controlName_
                                                         + QStringLiteral("' failed: no movie is loaded"));
}

void MoviePlayer::setVariable(const QString& name, const QString& value)
{
    // Before a movie loads, the variables are kept for it (the player holds them).
    variables_.insert(name, value);
}

void MoviePlayer::tGotoFrame(const QString& target, int frame)
{
    if (target == QLatin1String("/Interaction"))
        interactionFrame_ = frame;
}

void MoviePlayer::tPlay(const QString& target)
{
    if (!loaded_ || target != QLatin1String("/Interaction") || interactionFrame_ != 2)
        return;
    interactionFrame_ = 1;
    interactionPlayed(variables_.value(QStringLiteral("commandVB")), variables_.value(QStringLiteral("argsVB")));
}

QString MoviePlayer::callFunction(const QString& request)
{
    trace_.write(QStringLiteral("callFunction ") + Trace::quote(request));
    requireMovie();
    return functionCalled(request);
}

} // namespace vm
