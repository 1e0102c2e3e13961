# The program's own event sounds, synthesized at build time by tools/wavgen into the build tree's
# share/tarvil32/sounds (where the program finds them relative to bin/) and installed beside it.
set(TARVIL_SOUNDS_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/share/tarvil32/sounds")
set(TARVIL_SOUND_FILES
    tarvil.wav pageexit.wav pagesent.wav beep.wav newchat.wav chatlink.wav lostchat.wav
    memory.wav delivery.wav read.wav default.wav)

add_executable(tarvil_wavgen
    "${CMAKE_SOURCE_DIR}/tools/wavgen/main.cpp"
    "${CMAKE_SOURCE_DIR}/tools/wavgen/WavEncoder.cpp")
target_link_libraries(tarvil_wavgen PRIVATE tarvil_common)
# A build-time helper: kept out of bin/, never installed.
set_target_properties(tarvil_wavgen PROPERTIES AUTOMOC OFF
                                                RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tools")

list(TRANSFORM TARVIL_SOUND_FILES PREPEND "${TARVIL_SOUNDS_OUTPUT_DIRECTORY}/"
     OUTPUT_VARIABLE _tarvil_sound_paths)
add_custom_command(
    OUTPUT ${_tarvil_sound_paths}
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${TARVIL_SOUNDS_OUTPUT_DIRECTORY}"
    COMMAND tarvil_wavgen "${TARVIL_SOUNDS_OUTPUT_DIRECTORY}" ${TARVIL_SOUND_FILES}
    DEPENDS tarvil_wavgen
    COMMENT "Synthesizing the event sounds"
    VERBATIM)
add_custom_target(tarvil_sounds ALL DEPENDS ${_tarvil_sound_paths})
install(FILES ${_tarvil_sound_paths} DESTINATION "${CMAKE_INSTALL_DATADIR}/tarvil32/sounds")
