#pragma once

#include "fonts/font_seams.h"
#include <QString>

namespace vm {

class ProcessRunner;
class UserFontScan;

// The canvas's "importfonts": the chosen face compiled into its two font
// movies in the flash folder, the canvas's new user font list stored in
// datasrc, and the canvas told to load its user fonts again. A face that
// cannot be imported leaves the previous movies and list as they were.
class FontImport {
public:
    // compiler runs the program folder's swfmill; scan knows the installed fonts.
    FontImport(const FontSeams& host, UserFontScan& scan, ProcessRunner& compiler);

    // argument: face name, "æ", the canvas's new user font list.
    void importSelectedFont(const QString& argument);
    void WriteUserFontXML(const QString& text);

private:
    // The movie described by text compiled into movie (a temporary name in
    // the flash folder); the reason when it was not, "" when it was.
    QString compile(const QString& descriptionName, const QString& text, const QString& movie);
    [[noreturn]] void refuse(const QString& faceName, const QString& why, int errorNumber);

    FontSeams host_;
    UserFontScan& scan_;
    ProcessRunner& compiler_;
};

} // namespace vm
