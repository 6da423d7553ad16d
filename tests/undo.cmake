# Undo and redo, cloning, dependents and reference-removal events, and the host's material.
add_executable(kaleidra_undo_tests
    clone_test.cpp
    dependents_test.cpp
    material_test.cpp
    undo_test.cpp
)
target_link_libraries(kaleidra_undo_tests PRIVATE kaleidra_host GTest::gtest_main
                      kaleidra_warnings)
gtest_discover_tests(kaleidra_undo_tests DISCOVERY_TIMEOUT 60)
