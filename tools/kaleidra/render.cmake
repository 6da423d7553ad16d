# The render command: layouts, the parallel renderer, image files and the built-in demo. The
# library serves the command, its tests and its benchmark alike.
add_library(kaleidra_render STATIC
    ${CMAKE_CURRENT_LIST_DIR}/render/DemoScene.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/ImageSize.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/ImageWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/Layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/ProgressBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/Renderer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/WoodTexture.cpp
)
target_include_directories(kaleidra_render PUBLIC ${CMAKE_CURRENT_LIST_DIR}/render
                           PRIVATE ${CMAKE_SOURCE_DIR}/core)
target_link_libraries(kaleidra_render PUBLIC kaleidra_host TBB::tbb PRIVATE PkgConfig::OIIO
                      kaleidra_warnings)

target_sources(kaleidra PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RenderCommand.cpp)
target_include_directories(kaleidra PRIVATE ${CMAKE_SOURCE_DIR}/core)
target_link_libraries(kaleidra PRIVATE kaleidra_render)
