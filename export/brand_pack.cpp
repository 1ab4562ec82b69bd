#include "export/brand_pack.h"

#include "canvas/logo/png_file.h"
#include "export/brand_page.h"
#include "export/export_format.h"
#include "export/ico_file.h"
#include "export/logo_export.h"
#include "export/logo_pictures.h"
#include "export/vector_export.h"
#include "platform/api/run_time_error.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"

#include <QDir>
#include <QFileInfo>

namespace vm {

namespace {
const QString pageName = QStringLiteral("brand-pack.html");
constexpr int masterSide = 1024;     // the longest side the pictures are scaled from, at least
constexpr double iconPadding = 0.1;  // of the icon's side
constexpr double faviconPadding = 1.0 / 16; // a pixel at 16: the tab needs every other one
constexpr double bannerPadding = 0.15;
constexpr double heroPadding = 0.12; // of the logo's longest side, around it at the top of the page

QString sizeText(const QSize& size) { return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height()); }

// The folder the program's own fonts are in, beside the data folder.
QString shippedFontsFolder(const LogoResources& resources)
{
    return resources.dataFolder.isEmpty() ? QString() : QFileInfo(resources.dataFolder).absolutePath() + QStringLiteral("/fonts");
}

// A copy of a file the program ships, into the pack.
WriteOutcome copyInto(const QString& path, const QString& source, qint64 limit)
{
    const BoundedRead read = readBoundedFile(source, limit);
    if (!read.ok())
        return WriteOutcome::failure(error_number::PathFileAccessError, read.reason);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return WriteOutcome::failure(error_number::PathFileAccessError, QStringLiteral("the folder for %1 cannot be made").arg(path));
    return writeFileAtomically(path, read.bytes);
}

// The longest side at side pixels, the aspect kept.
QSize longestSide(const QSize& stage, int side)
{
    return stage.width() >= stage.height() ? export_format::scaledSize(stage, side, 0) : export_format::scaledSize(stage, 0, side);
}

void collect(const std::vector<LogoElement>& elements, QStringList& colours, QStringList& fonts)
{
    for (const LogoElement& element : elements) {
        if (element.kind == ElementKind::Text || element.kind == ElementKind::Symbol || element.kind == ElementKind::Shape) {
            const QString colour = element.color.name(QColor::HexRgb).toUpper();
            if (!colours.contains(colour))
                colours.append(colour);
        }
        if (element.kind == ElementKind::Text) {
            const QString family = element.fontFamily.isEmpty() ? QStringLiteral("DejaVu Sans") : element.fontFamily;
            if (!fonts.contains(family))
                fonts.append(family);
        }
        collect(element.children, colours, fonts);
    }
}
} // namespace

BrandPack::BrandPack(LogoDocument logo, const LogoRenderer& renderer, QString folder)
    : logo_(std::move(logo)), renderer_(renderer), folder_(folder, ownNames())
{
    if (logo_.stageSize.isEmpty())
        logo_.stageSize = QSize(1, 1);
    fonts_ = brand_fonts::find(logo_, shippedFontsFolder(renderer_.resources()));
    addSteps();
}

BrandPack::~BrandPack()
{
    // A packing job holds its own picture; those running finish before the pool goes.
    packers_.clear();
}

QString BrandPack::folderProblem(const QString& path)
{
    const QFileInfo folder(path);
    if (folder.exists() && !folder.isDir())
        return QStringLiteral("%1 is a file, not a folder").arg(path);
    // The pack is made beside the folder and takes its place: the parent is written.
    QFileInfo ancestor(QFileInfo(folder.isSymLink() ? folder.canonicalFilePath() : folder.absoluteFilePath()).absolutePath());
    while (!ancestor.exists() && !ancestor.isRoot())
        ancestor.setFile(ancestor.absolutePath());
    if (!ancestor.isDir() || !ancestor.isWritable())
        return folder.exists() ? QStringLiteral("the folder %1 cannot be replaced: %2 cannot be written").arg(path, ancestor.filePath())
                               : QStringLiteral("the folder %1 cannot be created").arg(path);
    // A file the user made read-only is not replaced behind their back.
    for (const QString& name : fileNames())
        if (const QFileInfo file(path + QLatin1Char('/') + name); file.isFile() && !file.isWritable())
            return QStringLiteral("%1 cannot be replaced").arg(file.filePath());
    return PackFolder::foreignContent(path, ownNames());
}

QStringList BrandPack::ownNames()
{
    const QString fonts = brand_fonts::packFolder + QLatin1Char('/');
    return fileNames() << fonts + QStringLiteral("*.ttf") << fonts + QStringLiteral("*.otf") << fonts + QStringLiteral("OFL.txt")
                       << fonts + QStringLiteral("*-LICENSE.txt");
}

QStringList BrandPack::fileNames()
{
    return {QStringLiteral("logo.png"),          QStringLiteral("logo-1024.png"),      QStringLiteral("logo-512.png"),
            QStringLiteral("logo-transparent.png"), QStringLiteral("logo-black.png"),  QStringLiteral("logo-white.png"),
            QStringLiteral("favicon.ico"),       QStringLiteral("apple-touch-icon.png"), QStringLiteral("icon-192.png"),
            QStringLiteral("icon-512.png"),      QStringLiteral("social-avatar.png"),  QStringLiteral("social-banner.png"),
            QStringLiteral("logo.svg"),          QStringLiteral("logo.pdf"),           QStringLiteral("logo.eps"),
            pageName};
}

QStringList BrandPack::palette(const LogoDocument& logo)
{
    QStringList colours, fonts;
    if (logo.background.isValid() && logo.background.alpha() != 0)
        colours.append(logo.background.name(QColor::HexRgb).toUpper());
    collect(logo.elements, colours, fonts);
    return colours;
}

QStringList BrandPack::fonts(const LogoDocument& logo)
{
    QStringList colours, fonts;
    collect(logo.elements, colours, fonts);
    return fonts;
}

const QImage& BrandPack::master()
{
    if (!master_) {
        const QSize stage = logo_.stageSize;
        const QSize size = std::max(stage.width(), stage.height()) >= masterSide ? stage : longestSide(stage, masterSide);
        master_ = logo_pictures::render(logo_, renderer_, size, QColor());
    }
    return *master_;
}

QRect BrandPack::content()
{
    if (!content_)
        content_ = logo_pictures::contentBounds(master());
    return *content_;
}

const logo_icon::IconArt& BrandPack::icon()
{
    if (!icon_)
        icon_ = logo_icon::draw(logo_, renderer_, masterSide, master());
    return *icon_;
}

QByteArray BrandPack::page()
{
    // Light colours on a clear ground: the see-through logo is shown on dark.
    BrandPageContent shown{logo_icon::logoName(logo_), written_, palette(logo_), fonts_, logo_icon::describe(icon()),
                           logo_icon::isLight(master(), content()), logo_.stageSize, {}, {}};
    const QSizeF pixels = master().size();
    const double margin = std::max(content().width(), content().height()) * heroPadding;
    const QRectF drawn = QRectF(content()).adjusted(-margin, -margin, margin, margin) & QRectF(QPointF(0, 0), pixels);
    shown.drawn = QRectF(drawn.x() / pixels.width(), drawn.y() / pixels.height(), drawn.width() / pixels.width(), drawn.height() / pixels.height());
    if (logo_.background.isValid() && logo_.background.alpha() != 0)
        shown.ground = logo_.background.name(QColor::HexRgb);
    return brandPage(shown);
}

WriteOutcome BrandPack::writePicture(const QString& path, const Picture& picture, QString& size)
{
    if (!picture.size.isValid())
        return WriteOutcome::failure(error_number::InvalidProcedureCall, QStringLiteral("the picture could not be drawn"));
    const QByteArray bytes = picture.packed.get();
    if (bytes.isEmpty())
        return WriteOutcome::failure(error_number::InvalidProcedureCall, QStringLiteral("cannot encode the picture as PNG"));
    size = sizeText(picture.size);
    return writeFileAtomically(path, bytes);
}

void BrandPack::addPicture(const QString& name, std::function<QImage()> make)
{
    const int index = int(steps_.size());
    pictures_[index].make = std::move(make);
    steps_.push_back({name, [this, index](const QString& path, QString& size) { return writePicture(path, pictures_[index], size); }});
}

// The pictures of the next few steps are drawn here and packed on the pool, so
// the cores pack while this thread writes; a stop costs at most those few.
void BrandPack::packAhead()
{
    const int ahead = std::min(stepCount(), done_ + packers_.maxThreadCount() + 1);
    for (; drawnUpTo_ < ahead; ++drawnUpTo_) {
        const auto found = pictures_.find(drawnUpTo_);
        if (found == pictures_.end())
            continue;
        Picture& picture = found->second;
        const QImage drawn = picture.make();
        if (drawn.isNull())
            continue;
        picture.size = drawn.size();
        auto job = std::make_shared<std::packaged_task<QByteArray()>>([drawn] { return png_file::encode(drawn); });
        picture.packed = job->get_future().share();
        packers_.start([job] { (*job)(); });
    }
}

void BrandPack::addSteps()
{
    const QSize stage = logo_.stageSize;
    const QColor background = logo_.background.isValid() ? logo_.background : QColor(Qt::white);
    const QColor clear;
    addPicture(QStringLiteral("logo.png"), [=, this] { return logo_pictures::scaled(master(), stage, background); });
    addPicture(QStringLiteral("logo-1024.png"), [=, this] { return logo_pictures::scaled(master(), longestSide(stage, 1024), background); });
    addPicture(QStringLiteral("logo-512.png"), [=, this] { return logo_pictures::scaled(master(), longestSide(stage, 512), background); });
    addPicture(QStringLiteral("logo-transparent.png"), [=, this] { return logo_pictures::scaled(master(), stage, clear); });
    addPicture(QStringLiteral("logo-black.png"),
               [=, this] { return logo_pictures::oneColour(logo_pictures::scaled(master(), stage, clear), Qt::black); });
    addPicture(QStringLiteral("logo-white.png"),
               [=, this] { return logo_pictures::oneColour(logo_pictures::scaled(master(), stage, clear), Qt::white); });
    steps_.push_back({QStringLiteral("favicon.ico"), [this, background](const QString& path, QString& size) {
                          QList<QImage> icons;
                          for (const int side : {16, 32, 48})
                              icons.append(logo_pictures::placed(icon().picture, icon().content, QSize(side, side), faviconPadding,
                                                                 background));
                          const QByteArray bytes = ico_file::encode(icons);
                          if (bytes.isEmpty())
                              return WriteOutcome::failure(error_number::InvalidProcedureCall, QStringLiteral("the icon could not be made"));
                          size = QStringLiteral("16x16, 32x32, 48x48");
                          return writeFileAtomically(path, bytes);
                      }});
    const auto placedOn = [this](const QSize& size, double padding, const QColor& colour) {
        return [=, this] { return logo_pictures::placed(master(), content(), size, padding, colour); };
    };
    // The icons show the mark or the initial; those that cannot be see-through get a ground that shows it.
    const auto iconOn = [this, background](int side, bool opaque) {
        return [=, this] {
            const QColor ground = opaque ? logo_icon::opaqueGround(background, icon()) : background;
            return logo_pictures::placed(icon().picture, icon().content, QSize(side, side), iconPadding, ground);
        };
    };
    addPicture(QStringLiteral("apple-touch-icon.png"), iconOn(180, true));
    addPicture(QStringLiteral("icon-192.png"), iconOn(192, false));
    addPicture(QStringLiteral("icon-512.png"), iconOn(512, false));
    addPicture(QStringLiteral("social-avatar.png"), iconOn(400, true));
    addPicture(QStringLiteral("social-banner.png"), placedOn(QSize(1200, 630), bannerPadding, background));
    // The vector files look the same on a machine without the logo's fonts.
    ExportOptions outlined;
    outlined.textToPath = true;
    for (const ExportFormat format : {ExportFormat::Svg, ExportFormat::Pdf, ExportFormat::Eps}) {
        steps_.push_back({QStringLiteral("logo.") + export_format::extension(format), [this, format, outlined](const QString& path, QString& size) {
                              size = sizeText(logo_.stageSize) + QStringLiteral(" (vector)");
                              return logo_export::write(path, format, logo_, renderer_, outlined);
                          }});
    }
    // The fonts the pack may ship, each file once, then their licence.
    QStringList shipped;
    for (const BrandFont& font : fonts_) {
        for (const FontFace& face : font.faces) {
            if (shipped.contains(face.file))
                continue;
            shipped.append(face.file);
            steps_.push_back({face.file, [source = face.source](const QString& path, QString& size) {
                                  size = QStringLiteral("font");
                                  return copyInto(path, source, file_limits::fontFile);
                              }});
        }
        if (!font.licence.isEmpty() && !shipped.contains(font.licence)) {
            shipped.append(font.licence);
            steps_.push_back({font.licence, [source = font.licenceSource](const QString& path, QString& size) {
                                  size = QStringLiteral("licence");
                                  return copyInto(path, source, file_limits::fontLicence);
                              }});
        }
    }
    steps_.push_back({pageName, [this](const QString& path, QString& size) {
                          size = QStringLiteral("page");
                          return writeFileAtomically(path, page());
                      }});
}

QString BrandPack::nextFile() const { return finished() ? QString() : steps_[size_t(done_)].name; }

bool BrandPack::runNextStep()
{
    if (finished() || !error_.ok)
        return false;
    if (!folder_.isOpen()) {
        if (done_ > 0) {
            error_ = WriteOutcome::failure(error_number::InvalidProcedureCall, QStringLiteral("the pack was abandoned"));
            return false;
        }
        if (const QString problem = folder_.open(); !problem.isEmpty()) {
            error_ = WriteOutcome::failure(error_number::PathFileAccessError, problem);
            return false;
        }
    }
    packAhead();
    const Step& step = steps_[size_t(done_)];
    const QString path = folder_.stagingPath() + QLatin1Char('/') + step.name;
    QString size;
    error_ = step.write(path, size);
    if (!error_.ok) {
        error_.reason = step.name + QStringLiteral(": ") + error_.reason;
        folder_.discard();
        return false;
    }
    written_.append({step.name, size, QFileInfo(path).size()});
    if (done_ + 1 == stepCount()) {
        if (const QString problem = folder_.commit(); !problem.isEmpty()) {
            error_ = WriteOutcome::failure(error_number::PathFileAccessError, problem);
            folder_.discard();
            return false;
        }
    }
    ++done_;
    return true;
}

bool BrandPack::run(const std::function<bool()>& keepGoing)
{
    while (!finished()) {
        if (keepGoing && !keepGoing()) {
            abandon();
            return false;
        }
        if (!runNextStep())
            return false;
    }
    return true;
}

} // namespace vm
