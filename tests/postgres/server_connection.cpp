#include "tests/postgres/server_connection.h"

#include <memory>

namespace mapsheet::postgres_test {

namespace {

using ResultHandle = std::unique_ptr<PGresult, decltype(&PQclear)>;

bool succeeded(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
}

}  // namespace

Connection::Connection() : connection_(PQconnectdb("")) {
    if (PQstatus(connection_) != CONNECTION_OK) {
        const std::string message = PQerrorMessage(connection_);
        PQfinish(connection_);
        throw QueryFailed("cannot connect to the test server: " + message);
    }
    PQsetNoticeProcessor(
        connection_, [](void*, const char*) {}, nullptr);
}

Connection::~Connection() {
    PQfinish(connection_);
}

PGresult* Connection::run(const std::string& sql, const std::vector<Value>& parameters) {
    std::vector<const char*> texts;
    for (const Value& parameter : parameters) {
        texts.push_back(parameter ? parameter->c_str() : nullptr);
    }
    return PQexecParams(connection_, sql.c_str(), static_cast<int>(texts.size()), nullptr,
                        texts.data(), nullptr, nullptr, 0);
}

std::vector<Row> Connection::query(const std::string& sql, const std::vector<Value>& parameters) {
    const ResultHandle result(run(sql, parameters), &PQclear);
    if (!succeeded(result.get())) {
        throw QueryFailed(sql.substr(0, 200) + ": " + PQresultErrorMessage(result.get()));
    }
    std::vector<Row> rows(static_cast<std::size_t>(PQntuples(result.get())));
    const int columns = PQnfields(result.get());
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        for (int column = 0; column < columns; ++column) {
            rows[row].push_back(PQgetisnull(result.get(), row, column)
                                    ? Value{}
                                    : Value{PQgetvalue(result.get(), row, column)});
        }
    }
    return rows;
}

Value Connection::value(const std::string& sql, const std::vector<Value>& parameters) {
    const std::vector<Row> rows = query(sql, parameters);
    if (rows.size() != 1 || rows[0].size() != 1) {
        throw QueryFailed(sql.substr(0, 200) + ": expected one value");
    }
    return rows[0][0];
}

ServerError Connection::error(const std::string& sql, const std::vector<Value>& parameters) {
    const ResultHandle result(run(sql, parameters), &PQclear);
    if (succeeded(result.get())) {
        return {};
    }
    const char* state = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
    const char* message = PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY);
    return {state ? state : "?", message ? message : PQerrorMessage(connection_)};
}

bool Connection::answers() {
    if (PQstatus(connection_) != CONNECTION_OK) {
        return false;
    }
    const ResultHandle result(run("SELECT 1", {}), &PQclear);
    return PQresultStatus(result.get()) == PGRES_TUPLES_OK;
}

std::string arrayLiteral(const std::vector<std::string>& texts) {
    std::string literal = "{";
    for (const std::string& text : texts) {
        if (literal.size() > 1) {
            literal.push_back(',');
        }
        literal.push_back('"');
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                literal.push_back('\\');
            }
            literal.push_back(c);
        }
        literal.push_back('"');
    }
    return literal + "}";
}

}  // namespace mapsheet::postgres_test
