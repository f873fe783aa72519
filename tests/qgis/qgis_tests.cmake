# The plugin's tests: pytest drives a real, headless qgis_process with the built plugin and the
# built Python module, and compares its layers (read back with GDAL) with mapsheet-cli's answers.
# QGIS 3.22 of Debian refuses the --noversioncheck that its /usr/bin/qgis_process wrapper passes,
# so the tests call the binary behind it. Without QGIS, the tests report themselves skipped.
if(NOT DEFINED MAPSHEET_PYTHON_PACKAGE_DIR)
    message(STATUS "qgis: the Python module is not built; the plugin's tests are left out")
    return()
endif()
set(qgis_process_binary /usr/bin/qgis_process.bin)
set(qgis_test_environment
    "QGIS_PROCESS=${qgis_process_binary}"
    "QGIS_PLUGINPATH=${CMAKE_CURRENT_BINARY_DIR}"
    "PYTHONPATH=${MAPSHEET_PYTHON_PACKAGE_DIR}"
    "MAPSHEET_CLI=$<TARGET_FILE:mapsheet-cli>"
    "QT_QPA_PLATFORM=offscreen")
foreach(suite algorithms bad_input)
    add_test(NAME qgis_plugin_${suite}
             COMMAND ${MAPSHEET_PYTHON} -m pytest -q -rs -p no:cacheprovider
                     ${PROJECT_SOURCE_DIR}/tests/qgis/test_${suite}.py)
    set_tests_properties(qgis_plugin_${suite} PROPERTIES ENVIRONMENT "${qgis_test_environment}"
                         TIMEOUT 300 SKIP_REGULAR_EXPRESSION "QGIS is not installed")
endforeach()
