#pragma once

// The PostgreSQL server headers the module uses, with C linkage, and the one crossing from the
// engine's C++ into the server.
//
// The server reports errors by longjmp. A longjmp that leaves a C++ frame skips its
// destructors, and a C++ exception that reaches the server's C frames ends the backend. So every
// entry point runs its C++ work inside runGuarded, which catches everything and hands back a
// Failure of plain bytes, and only then, with no C++ object left alive in its frame, calls
// raiseFailure.

extern "C" {
#include "postgres.h"

#include "fmgr.h"
#include "funcapi.h"
#include "mb/pg_wchar.h"
#include "miscadmin.h"
#include "utils/builtins.h"
}

#include <exception>
#include <new>
#include <string_view>

#include "engine/input_error.h"

namespace mapsheet::postgres {

// What went wrong inside C++ code: empty when nothing did. The message is UTF-8, cut at a
// character boundary to fit.
struct Failure {
    int sqlState = 0;  // a MAKE_SQLSTATE code, 0 for none
    char message[512] = {};
};

// Sets the failure to invalid_parameter_value (22023) with the message.
void setInvalidParameter(Failure& failure, std::string_view message) noexcept;

// Sets the failure to invalid_parameter_value (22023) for a bad argument, naming it once:
// "invalid " and the message when it begins with the argument's name ("invalid scale '1:123':
// ..."), else "invalid ARGUMENT: " and the message ("invalid sheet number: row code 145: ...").
void setInputError(Failure& failure, std::string_view argument,
                   const engine::InputError& error) noexcept;

// Runs work; any exception becomes a Failure (out_of_memory for std::bad_alloc, else 22023).
template <typename Work>
Failure runGuarded(Work&& work) noexcept {
    Failure failure;
    try {
        work(failure);
    } catch (const std::bad_alloc&) {
        failure.sqlState = ERRCODE_OUT_OF_MEMORY;
        std::string_view("out of memory").copy(failure.message, sizeof failure.message - 1);
    } catch (const std::exception& exception) {
        setInvalidParameter(failure, exception.what());
    } catch (...) {
        setInvalidParameter(failure, "unexpected failure in the sheet engine");
    }
    return failure;
}

// Raises the failure as an ERROR in the server (does not return); the message is converted to
// the database encoding first.
[[noreturn]] void raiseFailure(const Failure& failure);

// A text argument in UTF-8: the bytes as stored when the database encoding is UTF-8 or
// SQL_ASCII, else a converted copy in the current memory context.
struct Utf8Argument {
    const char* data;
    int length;
    std::string_view view() const { return {data, static_cast<std::size_t>(length)}; }
};
Utf8Argument utf8Argument(const ::text* value);

}  // namespace mapsheet::postgres
