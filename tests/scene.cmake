# Scene files and the host's class directory.
add_executable(kaleidra_scene_tests class_directory_test.cpp scene_test.cpp scene_error_test.cpp)
target_include_directories(kaleidra_scene_tests PRIVATE support)
target_link_libraries(kaleidra_scene_tests PRIVATE kaleidra_map kaleidra_host GTest::gtest_main
                      kaleidra_warnings)
gtest_discover_tests(kaleidra_scene_tests DISCOVERY_TIMEOUT 60)

# Scenes holding maps of the loaded plug-in, and the example scene.
kaleidra_add_plugin_test_program(kaleidra_scene_plugin_tests scene_plugin_test.cpp)
