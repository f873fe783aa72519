#pragma once

// A libpq connection to the test server that with_server.sh started (found through PGHOST and
// the other PG* variables), with queries that return their rows as texts.

#include <libpq-fe.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mapsheet::postgres_test {

using Value = std::optional<std::string>;  // nullopt for SQL NULL
using Row = std::vector<Value>;

// An error the server raised for a statement.
struct ServerError {
    std::string sqlState;  // empty when the statement succeeded
    std::string message;
};

class QueryFailed : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Connection {
  public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The rows of a statement with text parameters $1, $2, ...; throws QueryFailed with the
    // server's message when it fails.
    std::vector<Row> query(const std::string& sql, const std::vector<Value>& parameters = {});

    // The single value of a one-row, one-column statement.
    Value value(const std::string& sql, const std::vector<Value>& parameters = {});

    // Runs a statement that is expected to fail and returns the error (empty sqlState if it
    // succeeded).
    ServerError error(const std::string& sql, const std::vector<Value>& parameters = {});

    // Whether the session still answers a trivial query.
    bool answers();

  private:
    PGresult* run(const std::string& sql, const std::vector<Value>& parameters);

    PGconn* connection_;
};

// An array literal of the texts, each quoted: {"39.979","116.3"}, {"K-50-[11]"}.
std::string arrayLiteral(const std::vector<std::string>& texts);

}  // namespace mapsheet::postgres_test
