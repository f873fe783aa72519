# The extensions against a real server: one GoogleTest program run by with_server.sh, which
# installs the extensions into a throwaway server of its own. Included by postgres/CMakeLists.txt
# (normal builds only) once the module target exists.
find_package(PostgreSQL QUIET)
if(NOT PostgreSQL_FOUND)
    message(STATUS "postgres: libpq not found; the server test is not built")
    return()
endif()

file(GLOB postgres_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(postgres_server_test ${postgres_test_sources})
target_link_libraries(postgres_server_test PRIVATE mapsheet_engine PostgreSQL::PostgreSQL
                      GTest::gtest GTest::gtest_main)
target_compile_definitions(postgres_server_test PRIVATE
                           MAPSHEET_CLI_PATH="$<TARGET_FILE:mapsheet-cli>")
add_dependencies(postgres_server_test mapsheet-cli mapsheet_postgres)

# The test installs the module from the build tree, so the module must be built before it runs.
add_test(NAME postgres_server
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/with_server.sh ${PROJECT_BINARY_DIR}
                 timeout 200 $<TARGET_FILE:postgres_server_test>)
set_tests_properties(postgres_server PROPERTIES
    TIMEOUT 240
    ENVIRONMENT "PG_CONFIG=${MAPSHEET_PG_CONFIG};CMAKE=${CMAKE_COMMAND}")

# The module carries the engine core and nothing that keeps process-wide state: no diagnostics
# log, no number library.
add_test(NAME postgres_module_has_no_process_state
         COMMAND sh -c "! nm -C \"$1\" | grep -E 'ModuleQmb|运算日志'" sh
                 $<TARGET_FILE:mapsheet_postgres>)

# The extension on postgres_fdw shards: three throwaway servers of with_server.sh.
add_test(NAME postgres_shards
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/shard_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(postgres_shards PROPERTIES
    TIMEOUT 180
    DEPENDS postgres_server
    ENVIRONMENT "PG_CONFIG=${MAPSHEET_PG_CONFIG};CMAKE=${CMAKE_COMMAND}")
