# The render command's library: layouts, the parallel renderer with a map the loaded plug-in
# made, image files and the demo's textures.
kaleidra_add_plugin_test_program(kaleidra_render_tests render_test.cpp)
if(NOT TARGET PkgConfig::OIIO)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(OIIO REQUIRED IMPORTED_TARGET OpenImageIO)
endif()
target_link_libraries(kaleidra_render_tests PRIVATE kaleidra_render PkgConfig::OIIO)

# The command itself, run as a user runs it.
add_executable(kaleidra_render_cli_tests render_cli_test.cpp)
target_compile_definitions(kaleidra_render_cli_tests PRIVATE
    KALEIDRA_TOOL="$<TARGET_FILE:kaleidra>" KALEIDRA_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
target_link_libraries(kaleidra_render_cli_tests PRIVATE PkgConfig::OIIO GTest::gtest_main
                      kaleidra_warnings)
add_dependencies(kaleidra_render_cli_tests kaleidra)
gtest_discover_tests(kaleidra_render_cli_tests DISCOVERY_TIMEOUT 60)
