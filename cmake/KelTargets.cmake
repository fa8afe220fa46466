# Helpers that keep every unit folder's build rule one line long.

# kel_unit(<target> FOLDERS <folders>... [DEPS <targets>...]): a static library from every .cpp
# in the folders.
function(kel_unit target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# kel_test_dir(<folder> <libraries>...): one test program from every .cpp in <folder>, named after
# the folder (tests/platform/rtl -> platform_rtl_tests), registered with CTest test by test.
function(kel_test_dir folder)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${folder})
  string(REPLACE "/" "_" name "${rel}")
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} GTest::gtest GTest::gmock kel_testmain)
  gtest_discover_tests(${name}_tests
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "FONTCONFIG_FILE=${PROJECT_SOURCE_DIR}/resources/fonts.conf;KEL_BACKEND=headless"
    DISCOVERY_TIMEOUT 60)
endfunction()

# kel_bench(<name> <source> <libraries>...)
function(kel_bench name source)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARGN} benchmark::benchmark benchmark::benchmark_main)
endfunction()
