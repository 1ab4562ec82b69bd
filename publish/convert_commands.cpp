#include "publish/convert_commands.h"

#include "protocol/field_separator.h"
#include "platform/api/path_style.h"
#include "platform/api/process_runner.h"

#include <QRegularExpression>
#include <cmath>

namespace vm::convert_commands {

QString converter(const QString& programFolder)
{
    const QString path = programFolder + path_style::separator + QStringLiteral("bin") + path_style::separator
                         + QStringLiteral("convert") + path_style::executableSuffix;
    return quoteCommandLineArgument(path);
}

double leadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0;
    const double value = match.captured(0).trimmed().toDouble();
    return std::isfinite(value) ? value : 0;
}

QString generalForm(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 15);
}

PrintedSize parsePrintedSize(const QString& sizeArgument)
{
    const QStringList fields = sizeArgument.split(fieldSeparator);
    if (fields.size() < 2)
        return {QStringLiteral("507"), QStringLiteral("397")};
    return {generalForm(leadingNumber(fields[0])), generalForm(leadingNumber(fields[1]))};
}

long long quarterSide(double side)
{
    return static_cast<long long>(std::nearbyint(side / 4.0)); // the default rounding mode is to even
}

QString cropCommand(const QString& programFolder, const PrintedSize& size, const QString& offset,
                    const QString& epsFile, const QString& target)
{
    return converter(programFolder) + QStringLiteral(" -quality 100 -crop ") + size.width + QLatin1Char('x')
           + size.height + offset + QLatin1Char(' ') + quotedArgument(epsFile) + QLatin1Char(' ') + quotedArgument(target)
           + QLatin1Char(' ');
}

QString defaultCropCommand(const QString& programFolder, const QString& epsFile, const QString& target)
{
    return converter(programFolder) + QStringLiteral(" -quality 100 -crop 507x397+34+45 ") + quotedArgument(epsFile)
           + QLatin1Char(' ') + quotedArgument(target);
}

QStringList inPlaceResizeArguments(PublishSize size, const PrintedSize& printed, const QString& target)
{
    switch (size) {
    case PublishSize::Quarter:
        return {target, QStringLiteral("-resize"),
                QString::number(quarterSide(leadingNumber(printed.width))) + QLatin1Char('x')
                    + QString::number(quarterSide(leadingNumber(printed.height))),
                target};
    case PublishSize::Thumbnail:
        return {target, QStringLiteral("-thumbnail"), QStringLiteral("100x100"), target};
    case PublishSize::Full:
        break;
    }
    return {};
}

QString scaleCommand(const QString& programFolder, PublishSize size, const QString& source, const QString& target)
{
    QString option;
    if (size == PublishSize::Quarter)
        option = QStringLiteral(" -scale 25% ");
    else if (size == PublishSize::Thumbnail)
        option = QStringLiteral(" -resize 100X100 ");
    if (option.isEmpty())
        return convertCommand(programFolder, source, target);
    return converter(programFolder) + QLatin1Char(' ') + option + quotedArgument(source) + QLatin1Char(' ') + quotedArgument(target);
}

QString convertCommand(const QString& programFolder, const QString& source, const QString& target)
{
    return converter(programFolder) + QLatin1Char(' ') + quotedArgument(source) + QLatin1Char(' ') + quotedArgument(target);
}

QStringList tiffCommands(const QString& programFolder, const QString& source, const QString& target)
{
    const QString intermediate = QStringLiteral("temp.bmp");
    return {convertCommand(programFolder, source, intermediate), convertCommand(programFolder, intermediate, target)};
}

} // namespace vm::convert_commands
