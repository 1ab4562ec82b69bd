#include "shell/log/error_trap.h"

namespace vm {

void ErrorTrap::report(const QString& label, const RunTimeError& failure) noexcept
{
    log_.write(failure.number(), failure.description(), label);
}

void ErrorTrap::report(const QString& label, std::exception_ptr failure) noexcept
{
    try {
        std::rethrow_exception(failure);
    } catch (const RunTimeError& error) {
        report(label, error);
    } catch (const std::bad_alloc&) {
        log_.write(7, QStringLiteral("Out of memory"), label);
    } catch (const std::exception& error) {
        log_.write(error_number::InvalidProcedureCall, QString::fromLocal8Bit(error.what()), label);
    } catch (...) {
        log_.write(51, QStringLiteral("Internal error"), label);
    }
}

} // namespace vm
