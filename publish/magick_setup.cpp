#include "publish/magick_setup.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <mutex>
#include <vector>

#include <wand/MagickWand.h>

namespace vm {

namespace {
// ImageMagick prints its errors; these handlers keep them for the caller.
thread_local QString lastMagickMessage;

void keepMessage(const ExceptionType, const char* reason, const char* description)
{
    lastMagickMessage = QString::fromLocal8Bit(reason ? reason : "");
    if (description && *description)
        lastMagickMessage += QStringLiteral(" (") + QString::fromLocal8Bit(description) + QLatin1Char(')');
}

void startMagick()
{
    static std::once_flag once;
    std::call_once(once, [] {
        MagickWandGenesis();
        SetErrorHandler(keepMessage);
        SetWarningHandler(nullptr);
        ExceptionInfo* exception = AcquireExceptionInfo();
        SetMagickSecurityPolicy(MagickSetup::policyXml().toUtf8().constData(), exception);
        DestroyExceptionInfo(exception);
    });
}
} // namespace

QString MagickSetup::policyXml()
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<policymap>\n"
        "  <policy domain=\"coder\" rights=\"read|write\" pattern=\"{PS,PS2,PS3,EPS,EPI,EPSF,EPSI,PDF}\" />\n"
        "  <policy domain=\"coder\" rights=\"read|write\" pattern=\"{PNG,JPEG,JPG,GIF,TIFF,TIF,BMP}\" />\n"
        "</policymap>\n");
}

QString MagickSetup::prepareConfigFolder(const QString& folder)
{
    const QString magickFolder = folder + QStringLiteral("/ImageMagick");
    if (!QDir().mkpath(magickFolder))
        return QString();
    const QString path = magickFolder + QStringLiteral("/policy.xml");
    const QByteArray wanted = policyXml().toUtf8();
    if (QFile existing(path); existing.open(QIODevice::ReadOnly) && existing.readAll() == wanted)
        return folder; // written by an earlier start
    QSaveFile policy(path);
    if (!policy.open(QIODevice::WriteOnly))
        return QString();
    policy.write(wanted);
    return policy.commit() ? folder : QString();
}

QString MagickSetup::convertInPlace(const QStringList& arguments)
{
    startMagick();
    lastMagickMessage.clear();
    std::vector<QByteArray> storage;
    storage.push_back("convert");
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    ImageInfo* info = AcquireImageInfo();
    ExceptionInfo* exception = AcquireExceptionInfo();
    const MagickBooleanType ok =
        MagickCommandGenesis(info, ConvertImageCommand, int(argv.size()), argv.data(), nullptr, exception);
    QString message;
    if (exception->severity >= ErrorException)
        message = QString::fromLocal8Bit(exception->reason ? exception->reason : "conversion failed");
    else if (ok == MagickFalse)
        message = lastMagickMessage.isEmpty() ? QStringLiteral("conversion failed") : lastMagickMessage;
    DestroyExceptionInfo(exception);
    DestroyImageInfo(info);
    return message;
}

} // namespace vm
