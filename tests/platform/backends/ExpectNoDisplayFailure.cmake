# Runs the live backend's tests with a display that does not exist (the environment comes from
# CTest) and succeeds only when they fail because the display cannot be opened; a run that
# skips or passes would mean the live leg can pass without ever showing a window.
execute_process(COMMAND ${PROGRAM} --gtest_filter=SdlBackendTest.*
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(result EQUAL 0)
  message(FATAL_ERROR "the live backend's tests passed without a display")
endif()
if(NOT output MATCHES "the sdl backend cannot open the display ':99999'")
  message(FATAL_ERROR "the live backend's tests failed, but not for want of a display")
endif()
