# The host's class directory and its scene files (saved and loaded as JSON).
find_package(nlohmann_json REQUIRED)
target_sources(kaleidra_host PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/app/ClassDirectory.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/HostClassDescs.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/AtomicFile.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/HostClasses.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/ParamBlockJson.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/Scene.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/SceneIds.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/SceneJson.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/SceneLayout.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/SceneReader.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/SceneText.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/SceneWriter.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/app/scene/WideText.cpp
)
target_include_directories(kaleidra_host PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/app/scene)
target_link_libraries(kaleidra_host PUBLIC nlohmann_json::nlohmann_json)
