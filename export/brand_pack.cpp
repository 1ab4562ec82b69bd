#include "export/brand_pack.h"

#include "export/brand_page.h"
#include "export/export_format.h"
#include "export/ico_file.h"
#include "export/logo_export.h"
#include "export/logo_pictures.h"
#include "export/vector_export.h"
#include "platform/api/run_time_error.h"

#include <QFileInfo>

namespace vm {

namespace {
const QString pageName = QStringLiteral("brand-pack.html");
constexpr int masterSide = 1024;     // the longest side the pictures are scaled from, at least
constexpr double iconPadding = 0.1;  // of the icon's side
constexpr double bannerPadding = 0.15;

QString sizeText(const QSize& size) { return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height()); }

// The longest side at side pixels, the aspect kept.
QSize longestSide(const QSize& stage, int side)
{
    return stage.width() >= stage.height() ? export_format::scaledSize(stage, side, 0) : export_format::scaledSize(stage, 0, side);
}

void collect(const std::vector<LogoElement>& elements, QStringList& colours, QStringList& fonts)
{
    for (const LogoElement& element : elements) {
        if (element.kind == ElementKind::Text || element.kind == ElementKind::Symbol) {
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
    : logo_(std::move(logo)), renderer_(renderer), folder_(folder, fileNames())
{
    if (logo_.stageSize.isEmpty())
        logo_.stageSize = QSize(1, 1);
    addSteps();
}

BrandPack::~BrandPack() = default;

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
    return PackFolder::foreignContent(path, fileNames());
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

WriteOutcome BrandPack::writePicture(const QString& path, const QImage& picture, QString& size)
{
    if (picture.isNull())
        return WriteOutcome::failure(error_number::InvalidProcedureCall, QStringLiteral("the picture could not be drawn"));
    QString problem;
    const QByteArray bytes = logo_pictures::encode(picture, ExportFormat::Png, &problem);
    if (bytes.isEmpty())
        return WriteOutcome::failure(error_number::InvalidProcedureCall, problem);
    size = sizeText(picture.size());
    return writeFileAtomically(path, bytes);
}

void BrandPack::addPicture(const QString& name, std::function<QImage()> make)
{
    steps_.push_back({name, [this, make = std::move(make)](const QString& path, QString& size) {
                          return writePicture(path, make(), size);
                      }});
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
    steps_.push_back({QStringLiteral("favicon.ico"), [this](const QString& path, QString& size) {
                          QList<QImage> icons;
                          for (const int side : {16, 32, 48})
                              icons.append(logo_pictures::placed(master(), content(), QSize(side, side), 0.0, QColor()));
                          const QByteArray bytes = ico_file::encode(icons);
                          if (bytes.isEmpty())
                              return WriteOutcome::failure(error_number::InvalidProcedureCall, QStringLiteral("the icon could not be made"));
                          size = QStringLiteral("16x16, 32x32, 48x48");
                          return writeFileAtomically(path, bytes);
                      }});
    const auto placedOn = [this](const QSize& size, double padding, const QColor& colour) {
        return [=, this] { return logo_pictures::placed(master(), content(), size, padding, colour); };
    };
    addPicture(QStringLiteral("apple-touch-icon.png"), placedOn(QSize(180, 180), iconPadding, background));
    addPicture(QStringLiteral("icon-192.png"), placedOn(QSize(192, 192), iconPadding, background));
    addPicture(QStringLiteral("icon-512.png"), placedOn(QSize(512, 512), iconPadding, background));
    addPicture(QStringLiteral("social-avatar.png"), placedOn(QSize(400, 400), iconPadding, background));
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
    steps_.push_back({pageName, [this](const QString& path, QString& size) {
                          size = QStringLiteral("page");
                          return writeFileAtomically(path, brandPage(written_, palette(logo_), fonts(logo_)));
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
