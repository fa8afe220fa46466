# What `cmake --install` and `cpack` ship: the public headers under include/KelDBGrid (so a
# program includes <KelDBGrids/KelDBGrids.h> and <platform/Platform.h> as the library's own code
# does), the static libraries, fonts.conf, the CMake package behind find_package(KelDBGrid), a
# pkg-config file per backend choice, and a Debian -dev package.
#
# The glyph strips are drawn by code in kel_graphics, so no bitmap ships beside the libraries.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KEL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/${PROJECT_NAME})
set(KEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/${PROJECT_NAME})
set(KEL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/${PROJECT_NAME})

# Every unit and both backends, each backend as its archive plus the interface target that links
# the archive whole (the export keeps the WHOLE_ARCHIVE feature, so a program's backend still
# registers itself); the test kit too, for the tests of programs built on the grid.
set(KEL_INSTALLED_TARGETS
    kel_core kel_graphics kel_db kel_ui kel_grids
    kel_backend_headless_archive kel_backend_headless kel_backend_sdl_archive kel_backend_sdl
    kel_testkit kelplatform ZoltsGraph KelDBGrids)
install(TARGETS ${KEL_INSTALLED_TARGETS} EXPORT ${PROJECT_NAME}Targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${KEL_INSTALL_INCLUDEDIR})

# Headers keep their folders below src/; the private ones stay behind, as do folders without a
# header (install(DIRECTORY) would create them empty).
file(GLOB_RECURSE KEL_PUBLIC_HEADERS RELATIVE ${PROJECT_SOURCE_DIR}/src CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/*.h)
list(FILTER KEL_PUBLIC_HEADERS EXCLUDE REGEX "Private\\.h$")
foreach(header IN LISTS KEL_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES src/${header} DESTINATION ${KEL_INSTALL_INCLUDEDIR}/${folder})
endforeach()

# DejaVu only, so a program's text metrics match the library's tests (FONTCONFIG_FILE).
install(FILES resources/fonts.conf DESTINATION ${KEL_INSTALL_DATADIR})

# ---- find_package(KelDBGrid) -------------------------------------------------------------------
install(EXPORT ${PROJECT_NAME}Targets NAMESPACE ${PROJECT_NAME}::
        DESTINATION ${KEL_INSTALL_CMAKEDIR})
configure_package_config_file(cmake/${PROJECT_NAME}Config.cmake.in
                              ${PROJECT_BINARY_DIR}/${PROJECT_NAME}Config.cmake
                              INSTALL_DESTINATION ${KEL_INSTALL_CMAKEDIR}
                              PATH_VARS KEL_INSTALL_DATADIR)
# Before 1.0 a minor version may change the API.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/${PROJECT_NAME}ConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/${PROJECT_NAME}Config.cmake
              ${PROJECT_BINARY_DIR}/${PROJECT_NAME}ConfigVersion.cmake
        DESTINATION ${KEL_INSTALL_CMAKEDIR})

# ---- pkg-config: keldbgrid (headless) and keldbgrid-sdl (adds the live backend) -----------------
# The prefix is found from the .pc file's own folder, so an unpacked package works where it lies.
file(RELATIVE_PATH KEL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" KEL_PC_TO_PREFIX ${KEL_PC_TO_PREFIX})
foreach(pc keldbgrid keldbgrid-sdl)
  configure_file(cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

# ---- cpack -G DEB ------------------------------------------------------------------------------
# Static libraries: a program that links them links Cairo, Pango, GLib, SQLite (and SDL2 for the
# live backend) itself, so their -dev packages are what this package depends on, with pkg-config,
# through which both the CMake package and the .pc files find them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME libkeldbgrid-dev)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "data-aware grid for C++ desktop database applications (static libraries and headers)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KelDBGrid maintainers <maintainers@keldbgrid.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libcairo2-dev, libpango1.0-dev, libglib2.0-dev, libsqlite3-dev, libsdl2-dev, pkg-config")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, cmake (>= 3.25)")
# Fast to build in the test suite; the libraries carry debug information and are large.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
include(CPack)
