#pragma once

#include <QString>
#include <exception>

namespace vm {

// A failure inside a routine, carried to the routine's error trap. The number
// and description end up in Error.log, so they follow the classic run-time
// error numbering that the log format was made for.
class RunTimeError : public std::exception {
public:
    RunTimeError(int number, QString description)
        : number_(number), description_(std::move(description)), what_(description_.toUtf8()) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString description_;
    QByteArray what_;
};

// The numbers our routines raise.
namespace error_number {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectVariableNotSet = 91;
inline constexpr int CannotCreateObject = 429;
inline constexpr int Automation = 440;
} // namespace error_number

} // namespace vm
