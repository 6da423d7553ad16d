# The frame update and the viewport handle, through a map wired like MultiMap.
add_executable(kaleidra_frame_update_tests frame_update_test.cpp)
target_include_directories(kaleidra_frame_update_tests PRIVATE support)
target_link_libraries(kaleidra_frame_update_tests PRIVATE kaleidra_map kaleidra_host
                      GTest::gtest_main kaleidra_warnings)
gtest_discover_tests(kaleidra_frame_update_tests DISCOVERY_TIMEOUT 60)
