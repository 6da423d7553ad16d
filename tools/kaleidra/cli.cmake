# The command line, the session, and the info, eval, stats and swatch commands. The tool reads
# the map's parameter IDs from core/ but links nothing of it: it works through the plug-in.
target_sources(kaleidra PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HostSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SceneMaps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OpenedMap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FloatText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageOutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BarChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SampleLine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyRange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PickStats.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InfoCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EvalCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatsCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SwatchCommand.cpp
)
target_include_directories(kaleidra PRIVATE ${CMAKE_SOURCE_DIR}/core)
