#pragma once

#include "platform/api/run_time_error.h"
#include "shell/log/error_log.h"

#include <QString>
#include <exception>
#include <new>
#include <utility>

namespace vm {

// Runs a routine under its fixed label. A failure inside it is appended to
// Error.log and the routine is left; the caller carries on. Labels are data
// (they appear in the log): "frmMain\SaveIt", "frmAlert\Get Message".
class ErrorTrap {
public:
    explicit ErrorTrap(ErrorLog& log) : log_(log) {}

    // True when the routine ran to its end.
    template <class Routine>
    bool run(const QString& label, Routine&& routine) noexcept
    {
        try {
            std::forward<Routine>(routine)();
            return true;
        } catch (...) {
            report(label, std::current_exception());
            return false;
        }
    }

    // The value the routine returned, or fallback after a failure.
    template <class Result, class Routine>
    Result value(const QString& label, Result fallback, Routine&& routine) noexcept
    {
        try {
            return std::forward<Routine>(routine)();
        } catch (...) {
            report(label, std::current_exception());
            return fallback;
        }
    }

    void report(const QString& label, std::exception_ptr failure) noexcept;
    void report(const QString& label, const RunTimeError& failure) noexcept;

    ErrorLog& log() { return log_; }

private:
    ErrorLog& log_;
};

// For the routines that go on with the next statement after a failure: each
// statement runs on its own, a failing one is logged under the routine's label.
class ResumeNext {
public:
    ResumeNext(ErrorTrap& trap, QString label) : trap_(trap), label_(std::move(label)) {}

    template <class Statement>
    bool operator()(Statement&& statement) noexcept
    {
        const bool ok = trap_.run(label_, std::forward<Statement>(statement));
        failed_ = failed_ || !ok;
        return ok;
    }

    bool anyFailed() const { return failed_; }

private:
    ErrorTrap& trap_;
    QString label_;
    bool failed_ = false;
};

} // namespace vm
