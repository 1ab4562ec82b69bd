#pragma once

#include "canvas/outbox/command_outbox.h"
#include "canvas/player/movie_player.h"
#include "protocol/publish_formats.h"

#include <QByteArray>

namespace vm {

struct LogoDocument;
class LogoRenderer;

// Where the bitmap canvas finds the logo to draw: the editing canvas's own.
class LogoSource {
public:
    virtual ~LogoSource() = default;
    virtual const LogoDocument& currentLogo() const = 0;
    virtual const LogoRenderer& logoRenderer() const = 0;
};

// The hidden second player that turns the current logo into a picture and
// hands it to the host as Base64 text. The editing canvas asks it for the
// opaque pictures directly; the transparent ones are asked for by the host,
// which forwards the background name the editing canvas announced.
class BitmapCanvas : public MoviePlayer {
public:
    // The pictures it draws: the formats on the picture route.
    using Picture = PublishFormat;

    BitmapCanvas(QString controlName, Trace& trace, const LogoSource& source);
    ~BitmapCanvas() override;

    // Draws the logo as it is now; the command leaves from the event loop.
    // An empty player (no movie) draws nothing, as a missing movie would.
    // False when no movie is loaded or the format is not a picture: nothing will be raised.
    bool publish(Picture picture);

    // The command that carries the picture, e.g. "publishpng".
    static QString commandFor(Picture picture);
    // What the editing canvas names as the background of a transparent picture.
    static QString backgroundName(Picture picture);
    // The encoded picture: JPEG at quality 100 for Jpg, PNG for the rest
    // (the host converts GIF and TIFF itself). Empty when it cannot be drawn.
    static QByteArray encode(const LogoDocument& logo, const LogoRenderer& renderer, Picture picture);

protected:
    QString functionCalled(const QString& request) override;

private:
    const LogoSource& source_;
    CommandOutbox outbox_; // pending answers die with the player
};

} // namespace vm
