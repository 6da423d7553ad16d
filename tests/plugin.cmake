# The plug-in as the host loads it: Kaleidra.dlt per host version, and MultiMap driven through
# the host's operations on maps the loaded plug-in made.
kaleidra_add_plugin_test_program(kaleidra_plugin_tests plugin_loader_test.cpp multimap_test.cpp)

# The reference-manager layer on its own.
add_executable(kaleidra_reference_manager_tests reference_manager_test.cpp)
target_include_directories(kaleidra_reference_manager_tests PRIVATE ${CMAKE_SOURCE_DIR}/map)
target_link_libraries(kaleidra_reference_manager_tests PRIVATE kaleidra_host GTest::gtest_main
                      kaleidra_warnings)
gtest_discover_tests(kaleidra_reference_manager_tests DISCOVERY_TIMEOUT 60)
