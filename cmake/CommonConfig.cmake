# One interface target carries the language level, warnings and Qt safety defines for every
# target of the project. Link it PRIVATE; nothing else sets compile flags.
add_library(tarvil_common INTERFACE)
target_compile_features(tarvil_common INTERFACE cxx_std_20)
target_compile_options(tarvil_common INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wno-missing-field-initializers
    # g++ 12 reports std::string appends as overlapping copies in optimised builds (a known false
    # alarm of that compiler version).
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
target_compile_definitions(tarvil_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS)
if(TARVIL_WERROR)
    target_compile_options(tarvil_common INTERFACE -Werror)
endif()
if(TARVIL_HARDENED)
    target_compile_definitions(tarvil_common INTERFACE _GLIBCXX_ASSERTIONS QT_FORCE_ASSERTS)
endif()

# Sanitizer and fuzzing builds apply their flags to everything, so shared libraries loaded at
# run time are instrumented the same way as the program and the tests.
if(TARVIL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(TARVIL_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
