#include "publish/printed_picture_step.h"

#include "platform/api/print_services.h"
#include "platform/api/run_time_error.h"
#include "print/os_version.h"
#include "publish/magick_setup.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vm {

namespace {
// Without the right to install printers the converter used to be left running
// behind a fixed pause; it is waited for instead, up to this long.
constexpr int converterTimeLimitMs = 120000;
constexpr int hiddenWindow = 0;
constexpr int highPriority = 128;
} // namespace

PrintedPictureStep::PrintedPictureStep(const PublishSeams& host, PrintServices& services, PublishRun& run,
                                       std::function<void()> closeDialog)
    : host_(host), services_(services), run_(run), closeDialog_(std::move(closeDialog))
{
}

void PrintedPictureStep::runConverter(const QString& commandLine)
{
    const int limit = host_.state.keepTempFolder ? ProcessRunner::noTimeLimit : converterTimeLimitMs;
    services_.processes.runProcess(commandLine, host_.state.programFolder, limit, hiddenWindow, highPriority);
}

void PrintedPictureStep::failed(int number, const QString& description)
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
    closeDialog_();
}

void PrintedPictureStep::convert(const Request& request)
{
    if (!run_.waiting()) {
        // A late or stray answer: the publish it belonged to has ended.
        host_.trap.report(QStringLiteral("frmSaveLogo\\CreateImage"),
                          RunTimeError(error_number::InvalidProcedureCall, QStringLiteral("No publish is waiting for the picture")));
        return;
    }
    const HostState& state = host_.state;
    try {
        if (request.sizeArgument.isEmpty()) {
            runConverter(convert_commands::defaultCropCommand(state.programFolder, request.epsFile, request.target));
        } else {
            const convert_commands::PrintedSize printed = convert_commands::parsePrintedSize(request.sizeArgument);
            const bool vista = state.keepTempFolder && GetOSVersion(services_.osVersion) == QLatin1String("Vista");
            const QString offset = vista ? QStringLiteral("+33+68") : QStringLiteral("+34+45");
            runConverter(convert_commands::cropCommand(state.programFolder, printed, offset, request.epsFile, request.target));
            const QStringList resize = convert_commands::inPlaceResizeArguments(request.size, printed, request.target);
            if (!resize.isEmpty()) {
                const QString problem = MagickSetup::convertInPlace(resize);
                if (!problem.isEmpty()) {
                    const bool denied = problem.contains(QLatin1String("ermission denied"));
                    throw RunTimeError(denied ? error_number::PermissionDenied : error_number::InvalidProcedureCall, problem);
                }
            }
        }
        QCoreApplication::processEvents();
        if (!QFileInfo::exists(request.target)) {
            run_.end();
            host_.platform.dialogs.messageBox(QStringLiteral("LogoPublish Failed."), QString(), message_box::Buttons::Ok,
                                              message_box::Icon::None);
            closeDialog_();
            return;
        }
        run_.finish();
    } catch (const RunTimeError& failure) {
        failed(failure.number(), failure.description());
    } catch (const std::exception& failure) {
        failed(error_number::InvalidProcedureCall, QString::fromLocal8Bit(failure.what()));
    }
}

} // namespace vm
