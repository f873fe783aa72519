// Installs the extensions into the test server once, before any test: CREATE EXTENSION is the
// first thing a database user runs, and a failure here fails every test.

#include <gtest/gtest.h>

#include "tests/postgres/server_connection.h"

namespace mapsheet::postgres_test {

namespace {

class ExtensionsEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        Connection connection;
        connection.query("CREATE EXTENSION IF NOT EXISTS mapsheet");
        connection.query("CREATE EXTENSION IF NOT EXISTS mapsheet_postgis CASCADE");
    }
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ExtensionsEnvironment);

}  // namespace

}  // namespace mapsheet::postgres_test
