# Helpers that keep every unit folder's build rule one line long.

# Precompiled headers: every source reads the same standard headers through the platform's own
# headers, and every test reads GoogleTest, so each target parses them once instead of once per
# source. Each target compiles its own, since targets differ in the flags their packages add
# (-pthread and SDL2's -D_REENTRANT among them) and GCC ignores a precompiled header made with
# other flags.
set(KEL_STANDARD_HEADERS <algorithm> <functional> <map> <memory> <optional> <span> <string>
    <string_view> <unordered_map> <variant> <vector>)

# kel_umbrellas(<out> <folders>...): the umbrella header of each folder that has one, the header
# named after the folder (rtl -> "platform/rtl/Rtl.h"), as an include line's quoted name.
function(kel_umbrellas out)
  set(umbrellas)
  foreach(folder IN LISTS ARGN)
    get_filename_component(folder ${folder} ABSOLUTE)
    get_filename_component(folder_name ${folder} NAME)
    string(TOLOWER "${folder_name}.h" wanted)
    file(GLOB headers ${folder}/*.h)
    foreach(header IN LISTS headers)
      get_filename_component(header_name ${header} NAME)
      string(TOLOWER "${header_name}" header_name)
      if(header_name STREQUAL wanted)
        file(RELATIVE_PATH include_name ${PROJECT_SOURCE_DIR}/src ${header})
        list(APPEND umbrellas "\"${include_name}\"")
      endif()
    endforeach()
  endforeach()
  set(${out} ${umbrellas} PARENT_SCOPE)
endfunction()

# kel_umbrellas_of(<out> <targets>...): the umbrella headers of the units among the targets.
function(kel_umbrellas_of out)
  set(umbrellas)
  foreach(library IN LISTS ARGN)
    if(TARGET ${library})
      get_target_property(library_umbrellas ${library} KEL_UMBRELLAS)
      if(library_umbrellas)
        list(APPEND umbrellas ${library_umbrellas})
      endif()
    endif()
  endforeach()
  set(${out} ${umbrellas} PARENT_SCOPE)
endfunction()

# kel_unit(<target> FOLDERS <folders>... [DEPS <targets>...]): a static library from every .cpp
# in the folders. Its precompiled header holds the standard headers and the umbrella headers of
# the units it depends on; its own headers stay out, so editing one rebuilds only its readers.
function(kel_unit target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;DEPS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src>)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  kel_umbrellas(umbrellas ${ARG_FOLDERS})
  set_target_properties(${target} PROPERTIES KEL_UMBRELLAS "${umbrellas}")
  kel_umbrellas_of(dependency_umbrellas ${ARG_DEPS})
  target_precompile_headers(${target} PRIVATE ${KEL_STANDARD_HEADERS} ${dependency_umbrellas})
endfunction()

# kel_test_dir(<folder> <libraries>...): one test program from every .cpp in <folder>, named after
# the folder (tests/platform/rtl -> platform_rtl_tests), registered with CTest test by test.
function(kel_test_dir folder)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR}/tests ${folder})
  string(REPLACE "/" "_" name "${rel}")
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} GTest::gtest GTest::gmock kel_testmain)
  # Line tables are all a failing test's stack needs; full debug info of GoogleTest's templates
  # costs more to build than the tests take to run.
  target_compile_options(${name}_tests PRIVATE -g1)
  kel_umbrellas_of(umbrellas ${ARGN})
  target_precompile_headers(${name}_tests PRIVATE <gtest/gtest.h> ${KEL_STANDARD_HEADERS} ${umbrellas})
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
