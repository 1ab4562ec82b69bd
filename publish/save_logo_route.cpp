#include "publish/save_logo_form.h"

#include "platform/api/path_style.h"
#include "shell/temp_folder.h"

#include <QFile>
#include <QFileInfo>

// The publish itself: the user names the file, the canvas is asked to draw
// it (or the program draws it straight from the logo), and the printed page
// comes back to the converter step.
namespace vm {

namespace {
const QString publishLabel = QStringLiteral("frmSaveLogo\\imgSave_Click");
const QString saveFilter =
    QStringLiteral("Pictures (*.jpeg;*.gif;*.jpg;*.png;*.eps;*.tiff)|*.jpeg;*.gif;*.jpg;*.png;*.eps;*.tiff");

// Read-only files are removed too: the work files are ours.
void removeFile(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    QFile::remove(path);
}
} // namespace

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
    const QString named = host_.platform.dialogs.saveFile(request);
    if (named.isEmpty())
        return stopAndRestorePrinter();
    const qsizetype cut = named.lastIndexOf(sep);
    QString fileName = named.mid(cut + 1);
    if (fileName.trimmed().isEmpty())
        return stopAndRestorePrinter();
    const QString folder = named.left(cut + 1);
    if (!state.keepTempFolder && !CheckWritePermission(folder)) {
        host_.platform.dialogs.messageBox(QStringLiteral("You do not have permission to save in this directory."),
                                          QStringLiteral("Vantamorph"), message_box::Buttons::Ok, message_box::Icon::None);
        return stopAndRestorePrinter();
    }

    const publish_formats::Row& choice = chosen();
    statement([&] {
        TargetFolder = folder;
        if (const qsizetype point = fileName.lastIndexOf(QLatin1Char('.')); point >= 0)
            fileName = fileName.left(point);
        PrintedEpsName = fileName + QStringLiteral(".eps");
        TargetFileName = fileName + choice.extension;
        RequestedFormat = choice.keyword;
    });
    statement([&] {
        deleteLeftover(workBinFolderOf(state) + sep + QStringLiteral("VmEPS") + sep + PrintedEpsName);
        if (!state.keepTempFolder)
            deleteLeftover(workFolderOf(state) + sep + PrintedEpsName);
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
        // The bitmap canvas's picture is written to the target its answer finds here.
        if (choice.route == publish_formats::Route::Picture)
            state.publishTarget = target;
        if (!host_.toFlash(choice.canvasCommand, QStringLiteral("True"))) {
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

bool SaveLogoForm::publishDirect()
{
    bool written = false;
    host_.trap.run(QStringLiteral("frmSaveLogo\\PublishDirect"), [&] {
        ExportOptions options;
        if (customSize_ && chosen().route == publish_formats::Route::Picture) {
            options.width = customWidth_;
            options.height = customHeight_;
        }
        options.transparent = chosen().transparent;
        const std::optional<ExportFormat> format = export_format::fromPath(chosen().extension);
        written = direct_.publish(format.value_or(ExportFormat::Png), options, this);
        if (written)
            unloadDialog();
    });
    return written;
}

void SaveLogoForm::CreateImage()
{
    printedPicture_.convert({SizeArgument, size_, epsWorkFile(), TargetFolder + TargetFileName});
}

} // namespace vm
