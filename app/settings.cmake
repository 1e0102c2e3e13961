# The settings store, included by app/CMakeLists.txt into tarvil_app.
target_sources(tarvil_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CSettings.h
    ${CMAKE_CURRENT_LIST_DIR}/SettingsKeys.h)
