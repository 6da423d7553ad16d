# Parameter blocks, references, undo recording, the core interface, and the map's block
# description and class descriptor.
add_executable(kaleidra_paramblock_tests
    core_interface_test.cpp
    multimap_params_test.cpp
    paramblock_desc_test.cpp
    paramblock_test.cpp
    references_test.cpp
)
target_link_libraries(kaleidra_paramblock_tests PRIVATE kaleidra_map kaleidra_host
                      GTest::gtest_main kaleidra_warnings)
gtest_discover_tests(kaleidra_paramblock_tests DISCOVERY_TIMEOUT 60)
