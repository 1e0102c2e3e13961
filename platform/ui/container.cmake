target_sources(tarvil_platform PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/ControlContainer.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/HostedControlSite.cpp)
