#include "postgres/server.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace mapsheet::postgres {

void setInvalidParameter(Failure& failure, std::string_view message) noexcept {
    failure.sqlState = ERRCODE_INVALID_PARAMETER_VALUE;
    std::size_t length = std::min(message.size(), sizeof failure.message - 1);
    // Never end inside a UTF-8 sequence: back off over its continuation bytes and its lead byte.
    if (length < message.size()) {
        while (length > 0 && (static_cast<unsigned char>(message[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    std::memcpy(failure.message, message.data(), length);
    failure.message[length] = '\0';
}

void setInputError(Failure& failure, std::string_view argument,
                   const engine::InputError& error) noexcept {
    try {
        const std::string described = engine::describeInputError(error);
        const bool named = described.size() > argument.size() && described.starts_with(argument) &&
                           described[argument.size()] == ' ';
        std::string message("invalid ");
        message.append(argument).append(named ? "" : ": ");
        message.append(named ? std::string_view(described).substr(argument.size()) : described);
        setInvalidParameter(failure, message);
    } catch (const std::bad_alloc&) {
        failure.sqlState = ERRCODE_OUT_OF_MEMORY;
        std::string_view("out of memory").copy(failure.message, sizeof failure.message - 1);
    }
}

void raiseFailure(const Failure& failure) {
    const char* message =
        pg_any_to_server(failure.message, static_cast<int>(std::strlen(failure.message)), PG_UTF8);
    ereport(ERROR, (errcode(failure.sqlState), errmsg("%s", message)));
    pg_unreachable();
}

Utf8Argument utf8Argument(const text* value) {
    const char* data = VARDATA_ANY(value);
    const int length = static_cast<int>(VARSIZE_ANY_EXHDR(value));
    char* converted = pg_server_to_any(data, length, PG_UTF8);
    if (converted == data) {
        return {data, length};
    }
    return {converted, static_cast<int>(std::strlen(converted))};
}

}  // namespace mapsheet::postgres
