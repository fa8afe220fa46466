# Builds examples/consumer against the library as a user receives it, runs it headless and checks
# what it wrote:
#   MODE=install  `cmake --install` of this build tree into a fresh prefix; the consumer is built
#                 with CMake (find_package) and again with pkg-config.
#   MODE=deb      `cpack -G DEB`; the package must declare its dependencies; `dpkg -x` unpacks it
#                 and the consumer is built with CMake against what it holds.
# Nothing of the source tree may reach the consumer: its sources are copied out first, and the
# installed package files and the consumer's build files are searched for the source tree's path.
#
# cmake -DMODE=... -DBUILD_DIR=... -DSOURCE_DIR=... -DLIBDIR=... -DGENERATOR=... -DCXX=...
#       -DCPACK=... -P ConsumerOfInstall.cmake
cmake_minimum_required(VERSION 3.25)

# A work folder of its own per run, so runs in parallel never share files; it is removed at the
# end whether the run passes or fails (the libraries in it are large).
string(RANDOM LENGTH 12 ALPHABET 0123456789abcdef run_id)
set(temp_root "$ENV{TMPDIR}")
if(NOT temp_root)
  set(temp_root /tmp)
endif()
set(work "${temp_root}/kel-${MODE}-${run_id}")
file(MAKE_DIRECTORY "${work}")

function(fail)
  file(REMOVE_RECURSE "${work}")
  message(FATAL_ERROR ${ARGN})
endfunction()

# run(<command>...): fails the test with the command's output when it fails; the output is in
# run_output.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    fail("${command}\nfailed (${result}):\n${output}")
  endif()
  set(run_output "${output}" PARENT_SCOPE)
endfunction()

# No file under <folder> matching the globs names the source tree.
function(check_no_source_path folder)
  file(GLOB_RECURSE files ${ARGN})
  if(NOT files)
    fail("Nothing to check under ${folder} (${ARGN})")
  endif()
  foreach(file IN LISTS files)
    file(STRINGS "${file}" lines REGEX "${SOURCE_DIR}/")
    if(lines)
      fail("${file} refers to the source tree:\n${lines}")
    endif()
  endforeach()
endfunction()

# <value> as 8 hexadecimal digits, the big-endian 32-bit integers of a PNG header.
function(hex32 value out)
  math(EXPR hex "${value}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${hex}" 2 -1 hex)
  string(LENGTH "${hex}" digits)
  math(EXPR padding "8 - ${digits}")
  string(REPEAT 0 ${padding} zeros)
  set(${out} "${zeros}${hex}" PARENT_SCOPE)
endfunction()

# The file is a whole PNG of Width x Height pixels: signature, IHDR first, IEND last.
function(check_png file width height)
  if(NOT EXISTS "${file}")
    fail("${file} was not written")
  endif()
  file(SIZE "${file}" size)
  math(EXPR iend_offset "${size} - 8")
  file(READ "${file}" head LIMIT 24 HEX)
  file(READ "${file}" tail OFFSET ${iend_offset} HEX)
  hex32(${width} width_hex)
  hex32(${height} height_hex)
  set(expected_head "89504e470d0a1a0a0000000d49484452${width_hex}${height_hex}")
  if(NOT head STREQUAL expected_head OR NOT tail STREQUAL "49454e44ae426082")
    fail("${file} is not a ${width} x ${height} PNG: starts ${head}, ends ${tail}")
  endif()
endfunction()

# Runs the consumer headless from a clean environment and checks what it says and writes.
function(run_consumer program png)
  run(${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=FONTCONFIG_FILE
      --unset=KEL_BACKEND "${program}" "${png}")
  message(STATUS "${program}:\n${run_output}")
  foreach(said "Backends linked: headless" "Opened 3 rows of 3 fields" "into a grid of 3 columns"
               "Wrote ${png} (480 x 240)")
    string(FIND "${run_output}" "${said}" at)
    if(at EQUAL -1)
      fail("${program} did not say \"${said}\"")
    endif()
  endforeach()
  check_png("${png}" 480 240)
endfunction()

# Configures and builds the consumer with CMake, CMAKE_PREFIX_PATH only the prefix.
function(build_with_cmake prefix)
  set(build "${work}/consumer-build")
  run(${CMAKE_COMMAND} -E env --unset=CMAKE_PREFIX_PATH --unset=PKG_CONFIG_PATH
      --unset=CMAKE_INCLUDE_PATH --unset=CMAKE_LIBRARY_PATH --unset=CPATH --unset=LIBRARY_PATH
      ${CMAKE_COMMAND} -S "${work}/consumer" -B "${build}" -G "${GENERATOR}"
      -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_PREFIX_PATH=${prefix}"
      -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON)
  run(${CMAKE_COMMAND} --build "${build}")
  file(STRINGS "${build}/CMakeCache.txt" package_dir REGEX "^KelDBGrid_DIR:")
  string(FIND "${package_dir}" "=${prefix}/" at)
  if(at EQUAL -1)
    fail("find_package took KelDBGrid from elsewhere than ${prefix}: ${package_dir}")
  endif()
  message(STATUS "Built against ${prefix}: ${package_dir}")
  check_no_source_path("${build}" "${build}/*.ninja" "${build}/CMakeCache.txt"
                       "${build}/compile_commands.json")
  run_consumer("${build}/kel-consumer" "${work}/consumer-cmake.png")
endfunction()

# Compiles and links the consumer with the flags pkg-config gives for keldbgrid.
function(build_with_pkg_config prefix)
  set(pkg_config ${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${prefix}/${LIBDIR}/pkgconfig"
      pkg-config)
  run(${pkg_config} --cflags --libs keldbgrid)
  separate_arguments(flags UNIX_COMMAND "${run_output}")
  run(${pkg_config} --variable=fontsconf keldbgrid)
  string(STRIP "${run_output}" fonts_conf)
  set(program "${work}/kel-consumer-pkg-config")
  run(${CXX} -std=c++20 "-DKEL_FONTS_CONF=\"${fonts_conf}\"" "${work}/consumer/Consumer.cpp"
      -o "${program}" ${flags})
  message(STATUS "Built with pkg-config: ${flags}")
  run_consumer("${program}" "${work}/consumer-pkg-config.png")
endfunction()

file(COPY "${SOURCE_DIR}/examples/consumer/" DESTINATION "${work}/consumer")
if(MODE STREQUAL "install")
  set(prefix "${work}/prefix")
  run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
  check_no_source_path("${prefix}" "${prefix}/*.cmake" "${prefix}/*.pc")
  build_with_cmake("${prefix}")
  build_with_pkg_config("${prefix}")
elseif(MODE STREQUAL "deb")
  run(${CPACK} -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${work}/package")
  file(GLOB deb "${work}/package/*.deb")
  run(dpkg-deb --info "${deb}")
  string(REGEX MATCH "Depends: [^\n]*" depends "${run_output}")
  message(STATUS "${deb}:\n${run_output}")
  foreach(package libcairo2-dev libpango1.0-dev libglib2.0-dev libsqlite3-dev libsdl2-dev
                  pkg-config)
    string(FIND "${depends}" "${package}" at)
    if(at EQUAL -1)
      fail("The package does not depend on ${package}: ${depends}")
    endif()
  endforeach()
  run(dpkg -x "${deb}" "${work}/root")
  check_no_source_path("${work}/root" "${work}/root/*.cmake" "${work}/root/*.pc")
  build_with_cmake("${work}/root/usr")
else()
  fail("MODE must be install or deb, not '${MODE}'")
endif()
file(REMOVE_RECURSE "${work}")
