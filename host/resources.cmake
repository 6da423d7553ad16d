# Windows resource loading in the runtime, and the resource compiler that turns the plug-in's
# .rc file into a source file the plug-in links.
target_sources(maxsdk PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/runtime/resources.cpp)
target_link_libraries(maxsdk PRIVATE ${CMAKE_DL_LIBS})

add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/tools/rc)
