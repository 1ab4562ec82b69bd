#include "publish/save_logo_form.h"

#include "platform/api/path_style.h"
#include "platform/api/print_services.h"
#include "platform/api/run_time_error.h"
#include "print/os_version.h"
#include "publish/magick_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vm {

namespace {
const QString publishLabel = QStringLiteral("frmSaveLogo\\imgSave_Click");
const QString saveFilter =
    QStringLiteral("Pictures (*.jpeg;*.gif;*.jpg;*.png;*.eps;*.tiff)|*.jpeg;*.gif;*.jpg;*.png;*.eps;*.tiff");
// Without the right to install printers the converter used to be left running
// behind a fixed pause; it is waited for instead, up to this long.
constexpr int converterTimeLimitMs = 120000;
constexpr int hiddenWindow = 0;
constexpr int highPriority = 128;
constexpr int enterKey = 13;

const QStringList captionKeys = {
    QStringLiteral("lblSaveFileFormat"), QStringLiteral("cmdPublish"),        QStringLiteral("cmdCancel"),
    QStringLiteral("lblSelectFormat"),   QStringLiteral("lblSelectSize"),     QStringLiteral("lblFullSize"),
    QStringLiteral("lblQuarter"),        QStringLiteral("lblThumbnail"),      QStringLiteral("lblTransparentPNG"),
    QStringLiteral("lblTransparentGIF"), QStringLiteral("lblTransparentlogo"),
};

// Read-only files are removed too: the work files are ours.
void removeFile(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    QFile::remove(path);
}
} // namespace

SaveLogoForm::SaveLogoForm(const PublishSeams& host, PrintServices& services)
    : host_(host), services_(services), printerSetup_(host.print(), services),
      automation_(host.print(), services.locale, [this] {
          return PrintTargetState{format_ == VectorEps, TargetFolder, TargetFileName, PrintedEpsName};
      }),
      run_(host, printerSetup_),
      direct_(host)
{
}

SaveLogoForm::Choice SaveLogoForm::choiceFor(Format format)
{
    switch (format) {
    case Png: return {QStringLiteral("png"), QStringLiteral(".png"), QStringLiteral("png"), true};
    case Eps: return {QStringLiteral("eps"), QStringLiteral(".eps"), QStringLiteral("doPublish"), false};
    case Jpg: return {QStringLiteral("jpg"), QStringLiteral(".jpg"), QStringLiteral("jpg"), true};
    case Gif: return {QStringLiteral("gif"), QStringLiteral(".gif"), QStringLiteral("gif"), true};
    case Tiff: return {QStringLiteral("tiff"), QStringLiteral(".tiff"), QStringLiteral("tiff"), true};
    case VectorEps: return {QStringLiteral("veps"), QStringLiteral(".eps"), QStringLiteral("dovector"), false};
    case TransparentPng: return {QStringLiteral("png"), QStringLiteral(".png"), QStringLiteral("transparentpng"), true};
    case TransparentGif: return {QStringLiteral("gif"), QStringLiteral(".gif"), QStringLiteral("transparentgif"), true};
    case Svg: return {QStringLiteral("svg"), QStringLiteral(".svg"), QString(), false};
    case Pdf: return {QStringLiteral("pdf"), QStringLiteral(".pdf"), QString(), false};
    case NoFormat: break;
    }
    return {QStringLiteral("jpg"), QStringLiteral(".jpg"), QStringLiteral("doPublish"), false};
}

FormContent SaveLogoForm::content() const
{
    FormContent content;
    content.caption = QStringLiteral("Publish Logo");
    content.message = captions_.value(QStringLiteral("lblSaveFileFormat"));
    return content;
}

void SaveLogoForm::Form_Load()
{
    loaded_ = true;
    host_.trap.run(QStringLiteral("frmSaveLogo\\Form_Load"), [&] {
        host_.language.LoadLanguage(host_.language.languageIndex());
        for (const QString& key : captionKeys)
            captions_.insert(key, host_.language.GetControlCaptions(key));
        static const QHash<QString, int> preselection = {
            {QStringLiteral("png"), Png}, {QStringLiteral("eps"), Eps},   {QStringLiteral("jpg"), Jpg},
            {QStringLiteral("gif"), Gif}, {QStringLiteral("tiff"), Tiff}, {QStringLiteral("veps"), VectorEps},
        };
        optExtension_Click(preselection.value(RequestedFormat, Jpg));
    });
    if (presenter_ && host_.platform.forms.isLoaded(*this))
        presenter_->refresh(*this);
}

void SaveLogoForm::ensureLoaded()
{
    if (!loaded_)
        Form_Load();
}

void SaveLogoForm::optExtension_Click(int index)
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\optExtension_Click"), [&] {
        if ((index < Png || index > VectorEps) && index != Svg && index != Pdf)
            return;
        EnableDisableTransparent();
        format_ = Format(index);
        ShowSize(index != Eps && index != VectorEps && index != Svg && index != Pdf);
    });
}

void SaveLogoForm::transparent_Click(int index)
{
    if (index != TransparentPng && index != TransparentGif)
        return;
    EnableDisable();
    format_ = Format(index);
    ShowSize(false);
}

void SaveLogoForm::EnableDisable()
{
    if ((format_ >= Png && format_ <= VectorEps) || format_ == Svg || format_ == Pdf)
        format_ = NoFormat;
}

void SaveLogoForm::EnableDisableTransparent()
{
    if (format_ == TransparentPng || format_ == TransparentGif)
        format_ = NoFormat;
}

void SaveLogoForm::ShowSize(bool enabled)
{
    smallSizesEnabled_ = enabled;
    if (!enabled)
        size_ = PublishSize::Full;
}

void SaveLogoForm::selectSize(PublishSize size)
{
    if (size != PublishSize::Full && !smallSizesEnabled_)
        return;
    size_ = size;
    customSize_ = false;
}

void SaveLogoForm::click(const QString& control)
{
    static const QHash<QString, PublishSize> sizes = {
        {QStringLiteral("optFullSize"), PublishSize::Full},       {QStringLiteral("lblFullSize"), PublishSize::Full},
        {QStringLiteral("optQuarter"), PublishSize::Quarter},     {QStringLiteral("lblQuarter"), PublishSize::Quarter},
        {QStringLiteral("optThumbnail"), PublishSize::Thumbnail}, {QStringLiteral("lblThumbnail"), PublishSize::Thumbnail},
    };
    if (control == QLatin1String("imgSave"))
        imgSave_Click();
    else if (control == QLatin1String("lblPublish"))
        lblPublish_Click();
    else if (control == QLatin1String("imgCancel") || control == QLatin1String("lblCancel"))
        imgCancel_Click();
    else if (control.startsWith(QLatin1String("optExtension")))
        optExtension_Click(control.mid(12).toInt());
    else if (control.startsWith(QLatin1String("transparent")))
        transparent_Click(control.mid(11).toInt());
    else if (sizes.contains(control))
        selectSize(sizes.value(control));
    else if (control == QLatin1String("optCustomSize"))
        selectCustomSize();
    else if (control.startsWith(QLatin1String("txtWidth=")))
        setCustomWidth(control.mid(9).toInt());
    else if (control.startsWith(QLatin1String("txtHeight=")))
        setCustomHeight(control.mid(10).toInt());
    if (presenter_ && host_.platform.forms.isLoaded(*this))
        presenter_->refresh(*this);
}

void SaveLogoForm::keyPress(int charCode)
{
    if (charCode == enterKey)
        imgSave_Click();
}

void SaveLogoForm::imgCancel_Click()
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\imgCancel_Click"), [&] { unloadDialog(); });
}

void SaveLogoForm::lblPublish_Click()
{
    host_.trap.run(QStringLiteral("frmSaveLogo\\lblPublish_Click"), [&] {
        publish();
        unloadDialog();
    });
}

bool SaveLogoForm::imgSave_Click()
{
    return publish();
}

void SaveLogoForm::unloadDialog()
{
    automation_.setEnabled(false);
    loaded_ = false;
    host_.platform.forms.unload(*this);
}

QString SaveLogoForm::epsWorkFile() const
{
    return printToFileTarget(host_.state, {false, TargetFolder, TargetFileName, PrintedEpsName});
}

bool SaveLogoForm::CheckWritePermission(const QString& folder)
{
    // The probe takes a name nobody uses, so a user's own temp.txt survives it.
    QString probe = folder + QStringLiteral("temp.txt");
    for (int attempt = 1; QFileInfo::exists(probe) && attempt < 1000; ++attempt)
        probe = folder + QStringLiteral("temp%1.txt").arg(attempt);
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    file.close();
    return QFile::remove(probe);
}

void SaveLogoForm::deleteLeftover(const QString& path)
{
    if (QFileInfo::exists(path))
        removeFile(path);
}

bool SaveLogoForm::publish()
{
    if (directRoute())
        return publishDirect();
    HostState& state = host_.state;
    ResumeNext statement(host_.trap, publishLabel);
    const QString sep = path_style::separator;

    if (!QFileInfo(state.programFolder + sep + QStringLiteral("bin")).isDir()) {
        host_.messages.Alert(QStringLiteral("Unable to Publish. Some files are missing. Please install the software again"), this);
        return false;
    }
    switch (printerSetup_.PreparePrinter(this)) {
    case PrinterSetup::Outcome::Ready: break;
    case PrinterSetup::Outcome::Stopped: return false;
    case PrinterSetup::Outcome::UnloadDialog: unloadDialog(); return false;
    }
    // A publish that stops from here on puts the user's printer back.
    const auto stopAndRestorePrinter = [&] {
        run_.restoreUserPrinter();
        return false;
    };

    FileDialogRequest request;
    request.title = QStringLiteral("Save File As");
    request.filter = saveFilter;
    const QString chosen = host_.platform.dialogs.saveFile(request);
    if (chosen.isEmpty())
        return stopAndRestorePrinter();
    const qsizetype cut = chosen.lastIndexOf(sep);
    QString fileName = chosen.mid(cut + 1);
    if (fileName.trimmed().isEmpty())
        return stopAndRestorePrinter();
    const QString folder = chosen.left(cut + 1);
    if (!state.keepTempFolder && !CheckWritePermission(folder)) {
        host_.platform.dialogs.messageBox(QStringLiteral("You do not have permission to save in this directory."),
                                          QStringLiteral("Vantamorph"), message_box::Buttons::Ok, message_box::Icon::None);
        return stopAndRestorePrinter();
    }

    const Choice choice = choiceFor(format_);
    statement([&] {
        TargetFolder = folder;
        if (const qsizetype point = fileName.lastIndexOf(QLatin1Char('.')); point >= 0)
            fileName = fileName.left(point);
        PrintedEpsName = fileName + QStringLiteral(".eps");
        TargetFileName = fileName + choice.extension;
        RequestedFormat = choice.keyword;
    });
    statement([&] {
        deleteLeftover(state.programFolder + sep + QStringLiteral("bin") + sep + QStringLiteral("VmEPS") + sep + PrintedEpsName);
        if (!state.keepTempFolder)
            deleteLeftover(state.tempRoot + sep + QStringLiteral("tmpEPS") + sep + PrintedEpsName);
    });
    const QString target = TargetFolder + TargetFileName;
    if (QFileInfo::exists(target)) {
        if (!host_.messages.MessageBoxYN(host_.language.GetControlCaptions(QStringLiteral("msgYNFileOverwrite")), this))
            return stopAndRestorePrinter();
        statement([&] { removeFile(target); });
    }
    statement([&] { automation_.setEnabled(true); });
    // The work folder may have gone since start-up; the printer writes into it.
    statement([&] { host_.tempFolder.ensureWorkFolder(); });
    statement([&] {
        run_.begin(target, this);
        if (choice.setsTarget)
            state.publishTarget = target;
        if (!host_.toFlash(choice.command, QStringLiteral("True"))) {
            run_.fail(QStringLiteral("the canvas could not be asked to draw it."));
            unloadDialog();
            return;
        }
        host_.platform.forms.hide(*this);
        // The canvas may already have answered (or failed) while it was asked.
        if (run_.waiting())
            host_.platform.forms.showModal(host_.waitForm, &host_.mainForm);
        unloadDialog();
    });
    return true;
}

void SaveLogoForm::selectCustomSize()
{
    // The custom size is for pictures: the vector files and the printed EPS keep the stage.
    static const QList<Format> pictures = {Png, Jpg, Gif, Tiff, TransparentPng, TransparentGif};
    if (!pictures.contains(format_))
        return;
    customSize_ = true;
    size_ = PublishSize::Full;
}

void SaveLogoForm::setCustomWidth(int width)
{
    customWidth_ = std::clamp(width, 0, export_format::maxSide);
    selectCustomSize();
}

void SaveLogoForm::setCustomHeight(int height)
{
    customHeight_ = std::clamp(height, 0, export_format::maxSide);
    selectCustomSize();
}

bool SaveLogoForm::directRoute() const
{
    return format_ == Svg || format_ == Pdf || (customSize_ && format_ != Eps && format_ != VectorEps && format_ != NoFormat);
}

QSize SaveLogoForm::resultSize() const
{
    const QSize stage = direct_.stageSize();
    if (stage.isEmpty())
        return {};
    if (customSize_ && directRoute() && format_ != Svg && format_ != Pdf)
        return export_format::scaledSize(stage, customWidth_, customHeight_);
    switch (size_) {
    // The converter fits these into a box, as here.
    case PublishSize::Quarter:
        return export_format::scaledSize(stage, int(convert_commands::quarterSide(stage.width())),
                                         int(convert_commands::quarterSide(stage.height())));
    case PublishSize::Thumbnail: return export_format::scaledSize(stage, 100, 100);
    case PublishSize::Full: break;
    }
    return stage;
}

QString SaveLogoForm::resultSizeText() const
{
    const QSize size = resultSize();
    if (size.isEmpty())
        return {};
    const bool vector = format_ == Svg || format_ == Pdf || format_ == Eps || format_ == VectorEps;
    return QStringLiteral("%1 x %2 %3").arg(size.width()).arg(size.height()).arg(vector ? QStringLiteral("points") : QStringLiteral("pixels"));
}

bool SaveLogoForm::publishDirect()
{
    bool written = false;
    host_.trap.run(QStringLiteral("frmSaveLogo\\PublishDirect"), [&] {
        ExportOptions options;
        if (customSize_ && format_ != Svg && format_ != Pdf) {
            options.width = customWidth_;
            options.height = customHeight_;
        }
        options.transparent = format_ == TransparentPng || format_ == TransparentGif;
        static const QHash<int, ExportFormat> formats = {
            {Png, ExportFormat::Png}, {Jpg, ExportFormat::Jpg},  {Gif, ExportFormat::Gif},
            {Tiff, ExportFormat::Tiff}, {TransparentPng, ExportFormat::Png}, {TransparentGif, ExportFormat::Gif},
            {Svg, ExportFormat::Svg}, {Pdf, ExportFormat::Pdf},
        };
        written = direct_.publish(formats.value(format_, ExportFormat::Png), options, this);
        if (written)
            unloadDialog();
    });
    return written;
}

void SaveLogoForm::runConverter(const QString& commandLine, bool sizeGiven)
{
    Q_UNUSED(sizeGiven);
    const int limit = host_.state.keepTempFolder ? ProcessRunner::noTimeLimit : converterTimeLimitMs;
    services_.processes.runProcess(commandLine, host_.state.programFolder, limit, hiddenWindow, highPriority);
}

void SaveLogoForm::createImageFailed(int number, const QString& description)
{
    run_.end();
    if (number == error_number::PermissionDenied) {
        host_.platform.dialogs.messageBox(description + QStringLiteral(" Create Image"), QStringLiteral("Vantamorph"),
                                          message_box::Buttons::Ok, message_box::Icon::None);
        return;
    }
    const QString text = number == error_number::CannotCreateObject
                             ? QStringLiteral("Failed to Publish Logo. <ImageMagickObject.dll> not found.")
                             : QStringLiteral("Failed to Publish Logo.");
    host_.platform.dialogs.messageBox(text, QString(), message_box::Buttons::Ok, message_box::Icon::None);
    unloadDialog();
}

void SaveLogoForm::CreateImage()
{
    if (!run_.waiting()) {
        // A late or stray answer: the publish it belonged to has ended.
        host_.trap.report(QStringLiteral("frmSaveLogo\\CreateImage"),
                          RunTimeError(error_number::InvalidProcedureCall, QStringLiteral("No publish is waiting for the picture")));
        return;
    }
    const HostState& state = host_.state;
    const QString target = TargetFolder + TargetFileName;
    try {
        if (SizeArgument.isEmpty()) {
            runConverter(convert_commands::defaultCropCommand(state.programFolder, epsWorkFile(), target), false);
        } else {
            const convert_commands::PrintedSize printed = convert_commands::parsePrintedSize(SizeArgument);
            const bool vista = state.keepTempFolder && GetOSVersion(services_.osVersion) == QLatin1String("Vista");
            const QString offset = vista ? QStringLiteral("+33+68") : QStringLiteral("+34+45");
            runConverter(convert_commands::cropCommand(state.programFolder, printed, offset, epsWorkFile(), target), true);
            const QStringList resize = convert_commands::inPlaceResizeArguments(size_, printed, target);
            if (!resize.isEmpty()) {
                const QString problem = MagickSetup::convertInPlace(resize);
                if (!problem.isEmpty()) {
                    const bool denied = problem.contains(QLatin1String("ermission denied"));
                    throw RunTimeError(denied ? error_number::PermissionDenied : error_number::InvalidProcedureCall, problem);
                }
            }
        }
        QCoreApplication::processEvents();
        if (!QFileInfo::exists(target)) {
            run_.end();
            host_.platform.dialogs.messageBox(QStringLiteral("LogoPublish Failed."), QString(), message_box::Buttons::Ok,
                                              message_box::Icon::None);
            unloadDialog();
            return;
        }
        run_.finish();
    } catch (const RunTimeError& failure) {
        createImageFailed(failure.number(), failure.description());
    } catch (const std::exception& failure) {
        createImageFailed(error_number::InvalidProcedureCall, QString::fromLocal8Bit(failure.what()));
    }
}

} // namespace vm
