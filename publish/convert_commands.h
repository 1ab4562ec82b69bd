#pragma once

#include <QString>
#include <QStringList>

namespace vm {

// The size a published picture gets.
enum class PublishSize { Full, Quarter, Thumbnail };

// The converter's command lines, built exactly as the publish routes run them.
namespace convert_commands {

// The converter in the program folder; quoted only when the folder holds a blank or a quote.
QString converter(const QString& programFolder);

// The printed width and height from "convertdata" ("640æ480"), each as the
// number its text starts with, written in general form; 507 x 397 when the
// argument has fewer than two fields.
struct PrintedSize {
    QString width;
    QString height;
};
PrintedSize parsePrintedSize(const QString& sizeArgument);

// The number a text starts with ("640px" is 640, "abc" is 0).
double leadingNumber(const QString& text);
QString generalForm(double value);

// A quarter of a side, halves rounded to the even neighbour (506 gives 126, 510 gives 128).
long long quarterSide(double side);

// Crop of the printed EPS page into the target; the line ends in a blank.
QString cropCommand(const QString& programFolder, const PrintedSize& size, const QString& offset,
                    const QString& epsFile, const QString& target);
// The crop when the canvas reported no size: the default box, no trailing blank.
QString defaultCropCommand(const QString& programFolder, const QString& epsFile, const QString& target);

// The in-place resize of a cropped picture (empty for full size).
QStringList inPlaceResizeArguments(PublishSize size, const PrintedSize& printed, const QString& target);

QString scaleCommand(const QString& programFolder, PublishSize size, const QString& source, const QString& target);
QString convertCommand(const QString& programFolder, const QString& source, const QString& target);
// TIFF goes through temp.bmp in the working folder.
QStringList tiffCommands(const QString& programFolder, const QString& source, const QString& target);

} // namespace convert_commands
} // namespace vm
