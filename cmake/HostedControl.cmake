# tarvil_add_control_library(name [TEST_ONLY] SOURCES ... [LIBS ...]): a hosted control library,
# loaded at run time by class identifier and never linked into the program. It lands in the
# controls folder of the build tree, where the program and the tests find and register it.
# TEST_ONLY libraries land in the tests' own controls folder and are never installed, so the
# program does not register them.
function(tarvil_add_control_library name)
    cmake_parse_arguments(ARG "TEST_ONLY" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} MODULE ${ARG_SOURCES})
    # The platform libraries and the drawing runtime sit beside the controls. Only the entry
    # points are exported, so two copies of a library never share a factory.
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        INSTALL_RPATH "$ORIGIN"
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_link_libraries(${name} PRIVATE tarvil_common tarvil_ui ${ARG_LIBS})
    if(ARG_TEST_ONLY)
        set_target_properties(${name} PROPERTIES
            LIBRARY_OUTPUT_DIRECTORY "${TARVIL_TEST_CONTROLS_OUTPUT_DIRECTORY}"
            INSTALL_RPATH "$ORIGIN/../../${TARVIL_CONTROLS_SUBDIR}")
        return()
    endif()
    install(TARGETS ${name} LIBRARY DESTINATION "${TARVIL_CONTROLS_SUBDIR}")
    set_property(GLOBAL APPEND PROPERTY TARVIL_CONTROL_LIBRARIES ${name})
endfunction()
