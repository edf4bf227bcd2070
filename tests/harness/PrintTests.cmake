# Registers the GoogleTest cases of target as tests that print through the
# private print server: they share one queue, so they never run side by side
# (RESOURCE_LOCK), and a stuck print server cannot hold them for long.
#   include(${CMAKE_SOURCE_DIR}/tests/harness/PrintTests.cmake)
#   oravians_print_tests(my_test_target)
include(GoogleTest)
function(oravians_print_tests target)
  if(ORAVIANS_SANITIZE)
    # The sanitizer build runs no printing tests: neither build nor list them.
    set_target_properties(${target} PROPERTIES ORAVIANS_WHOLE_SUITE_ONLY ON)
    return()
  endif()
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/printer)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES RESOURCE_LOCK oravians_print_queue TIMEOUT 120 LABELS printing
               ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()
