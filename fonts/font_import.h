#pragma once

#include "fonts/font_seams.h"
#include "platform/api/atomic_file.h"
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

private:
    // The movie described by text compiled into movie in the flash folder;
    // the reason when it was not, "" when it was.
    QString compile(const QString& descriptionName, const QString& text, const QString& movie);
    // The canvas's user font list stored in datasrc, both of its files.
    WriteOutcome writeUserFontList(const QString& text);
    [[noreturn]] void refuse(const QString& faceName, const QString& why, int errorNumber);

    FontSeams host_;
    UserFontScan& scan_;
    ProcessRunner& compiler_;
};

} // namespace vm
