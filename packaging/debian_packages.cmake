# One Debian package per install component, built by CPack (scripts/package):
#
#   component  package                  what it brings
#   mapsheet   mapsheet                 the window program, mapsheet-cli, desktop entry, manual
#   postgres   postgresql-NN-mapsheet   the PostgreSQL extensions mapsheet and mapsheet_postgis
#   python     python3-mapsheet         the Python module
#   qgis       qgis-plugin-mapsheet     the QGIS plugin
#   web        mapsheet-web             the browser page
#
# A component no folder of this build installs makes no package. Each package's description
# begins with the one line that says what it is for; its dependencies are those declared here
# and those dpkg-shlibdeps finds for the shared libraries it links.

include(GNUInstallDirs)

set(MAPSHEET_DEBIAN_COMPONENTS mapsheet postgres python qgis web)
get_cmake_property(installed_components COMPONENTS)
# The page is built by emscripten in a build tree of its own (scripts/build-web): this build's
# "web" component runs that tree's install rules for the page.
set(MAPSHEET_WEB_BUILD_DIR "" CACHE PATH
    "Build tree of scripts/build-web whose page goes into the mapsheet-web package")
set(web_install_script ${MAPSHEET_WEB_BUILD_DIR}/web-build/cmake_install.cmake)
if(MAPSHEET_WEB_BUILD_DIR AND EXISTS ${web_install_script})
    install(SCRIPT ${web_install_script} COMPONENT web)
    list(APPEND installed_components web)
endif()

set(mapsheet_package_name mapsheet)
set(mapsheet_package_depends "fonts-wqy-microhei | fonts-noto-cjk")
set(mapsheet_package_description
    "sheet numbers of the national basic-scale topographic maps
A desktop tool for surveyors and map users that names the sheets of the
national basic-scale topographic map series at twelve scales (1:1,000,000
to 1:500), in the 1993-2012 standard numbering (K50E003005) and the pre-1992
numbering (J-50-5-A-1), with a window for angle conversion and the
command-line program mapsheet-cli for batch work.")

set(postgres_package_name postgresql-${MAPSHEET_PG_MAJOR}-mapsheet)
set(postgres_package_depends
    "postgresql-${MAPSHEET_PG_MAJOR}, postgresql-${MAPSHEET_PG_MAJOR}-postgis-3")
set(postgres_package_description
    "map sheet numbers in PostgreSQL ${MAPSHEET_PG_MAJOR}
The PostgreSQL extension mapsheet names the sheets of the national
basic-scale topographic map series in SQL (CREATE EXTENSION mapsheet), and
its companion mapsheet_postgis gives their outlines as PostGIS geometries.")

set(python_package_name python3-mapsheet)
# The extension is built for one interpreter version and uses NumPy's C interface; the modules
# mapsheet.dask and mapsheet.geo need Dask and GeoPandas, which are optional.
math(EXPR python_next_minor "${MAPSHEET_PYTHON_VERSION_MINOR} + 1")
set(python_package_depends
    "python3 (>= ${MAPSHEET_PYTHON_VERSION_MAJOR}.${MAPSHEET_PYTHON_VERSION_MINOR}), python3 (<< ${MAPSHEET_PYTHON_VERSION_MAJOR}.${python_next_minor}), python3-numpy")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-dask, python3-distributed, python3-geopandas")
set(python_package_description
    "map sheet numbers in Python 3
The Python 3 module mapsheet names the sheets of the national basic-scale
topographic map series from Python programs (import mapsheet).")

set(qgis_package_name qgis-plugin-mapsheet)
set(qgis_package_depends "python3-qgis, python3-mapsheet (= ${PROJECT_VERSION}), python3-shapely")
set(qgis_package_architecture all)
set(qgis_package_description
    "map sheet numbers in QGIS
A QGIS plugin that names the sheets of the national basic-scale topographic
map series inside QGIS, with a processing provider that qgis_process can
run.")

set(web_package_name mapsheet-web)
set(web_package_architecture all)
set(web_package_description
    "map sheet numbers in a web browser
A self-contained web page, installed in /usr/share/mapsheet/web, that names
the sheets of the national basic-scale topographic map series in the
browser, without a server.")

set(CPACK_COMPONENTS_ALL "")
foreach(component ${MAPSHEET_DEBIAN_COMPONENTS})
    if(NOT component IN_LIST installed_components)
        continue()
    endif()
    list(APPEND CPACK_COMPONENTS_ALL ${component})
    string(TOUPPER ${component} upper)
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${${component}_package_name})
    set(CPACK_DEBIAN_${upper}_DESCRIPTION "${${component}_package_description}")
    if(DEFINED ${component}_package_depends)
        set(CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS "${${component}_package_depends}")
    endif()
    if(DEFINED ${component}_package_architecture)
        set(CPACK_DEBIAN_${upper}_PACKAGE_ARCHITECTURE ${${component}_package_architecture})
    endif()
    # Debian wants the copyright and the change log in each package's documentation folder.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
                  ${PROJECT_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${${component}_package_name}
            COMPONENT ${component})
endforeach()

set(CPACK_PACKAGE_NAME mapsheet)
set(CPACK_PACKAGE_VENDOR "The mapsheet developers")
set(CPACK_PACKAGE_CONTACT "The mapsheet developers <mapsheet@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${MAPSHEET_HOMEPAGE})
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
