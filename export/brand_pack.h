#pragma once

#include "canvas/logo/logo_renderer.h"
#include "export/brand_fonts.h"
#include "export/logo_icon.h"
#include "export/pack_folder.h"
#include "platform/api/atomic_file.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <future>
#include <map>
#include <optional>

namespace vm {

// One file of a brand pack as the page lists it.
struct BrandFile {
    QString name;    // "favicon.ico"
    QString size;    // "16x16, 32x32, 48x48", "1200x630", "507x397 (vector)"
    qint64 bytes = 0;
};

// Everything a logo is needed as, written one file per step, so a caller can
// show progress and stop between files. The files go into a hidden sibling of
// the folder, which becomes the folder after the last one (see PackFolder): the
// folder holds the previous pack or the new one, whole, never a mix, and a stop
// or a failure leaves it as it was. The pictures are scaled from one rendering
// of the logo.
class BrandPack {
public:
    BrandPack(LogoDocument logo, const LogoRenderer& renderer, QString folder);
    ~BrandPack();

    // The names of the files every pack holds, in the order they are written;
    // the page comes last. The fonts the pack may ship go into fonts/ before it.
    static QStringList fileNames();
    // Why a pack cannot go into path (a new folder, or one holding only a
    // previous pack, in a parent that can be written); empty when it can.
    // Nothing is created by asking.
    static QString folderProblem(const QString& path);

    int stepCount() const { return int(steps_.size()); }
    int stepsDone() const { return done_; }
    bool finished() const { return done_ == stepCount(); }
    // The file the next step writes.
    QString nextFile() const;
    // Writes the next file; false, with error() set, when it could not be
    // written. The first step claims the folder; the last puts the pack in place.
    bool runNextStep();
    // Every step in turn, until one fails or keepGoing (asked before each step)
    // says stop; a stop or a failure abandons the pack.
    bool run(const std::function<bool()>& keepGoing = {});
    // Drops the files written so far; the folder stays as it was.
    void abandon()
    {
        packers_.clear();
        folder_.discard();
    }
    const WriteOutcome& error() const { return error_; }
    const QList<BrandFile>& written() const { return written_; }

    // The logo's colours as #RRGGBB (background first) and the font families its texts use.
    static QStringList palette(const LogoDocument& logo);
    static QStringList fonts(const LogoDocument& logo);

private:
    static QStringList ownNames();
    struct Step {
        QString name;
        std::function<WriteOutcome(const QString& path, QString& size)> write;
    };
    // A picture's step: drawn on the caller's thread, packed on the pool.
    struct Picture {
        std::function<QImage()> make;
        QSize size; // once drawn
        std::shared_future<QByteArray> packed;
    };
    void addSteps();
    void addPicture(const QString& name, std::function<QImage()> make);
    void packAhead();
    const QImage& master();
    QRect content();
    const logo_icon::IconArt& icon();
    QByteArray page();
    WriteOutcome writePicture(const QString& path, const Picture& picture, QString& size);

    std::optional<logo_icon::IconArt> icon_;
    QList<BrandFont> fonts_;
    LogoDocument logo_;
    const LogoRenderer& renderer_;
    PackFolder folder_;
    std::vector<Step> steps_;
    int done_ = 0;
    WriteOutcome error_;
    QList<BrandFile> written_;
    std::optional<QImage> master_;
    std::optional<QRect> content_;
    std::map<int, Picture> pictures_; // by step
    QThreadPool packers_; // PNG packing only: drawing and files stay on the caller's thread
    int drawnUpTo_ = 0;
};

} // namespace vm
