# Sanitised build trees.
#
#   -DKICK_SANITIZE=address,undefined   AddressSanitizer + UndefinedBehaviorSanitizer
#   -DKICK_SANITIZE=thread              ThreadSanitizer
#   -DKICK_FUZZ=ON                      libFuzzer targets (clang only), combined with
#                                       KICK_SANITIZE=address,undefined
#
# The flags are directory-wide, set before any target exists, so every target
# of the tree is instrumented alike: juce_static, the libraries, the plug-in
# module, the test host and the tests. Mixing instrumented and plain code
# would hide races and overflows inside JUCE and give false reports
# (an uninstrumented container annotation, an unseen lock).
set(KICK_SANITIZE "" CACHE STRING "Sanitizers for the whole tree: address,undefined | thread | empty")
option(KICK_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(KICK_SANITIZE)
    if(KICK_SANITIZE MATCHES "thread" AND KICK_SANITIZE MATCHES "address")
        message(FATAL_ERROR "KICK_SANITIZE: ThreadSanitizer cannot be combined with AddressSanitizer")
    endif()
    add_compile_options(-fsanitize=${KICK_SANITIZE} -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${KICK_SANITIZE})
    # GCC's flow analysis runs on the instrumented code and then warns of
    # "maybe uninitialized" members inside the standard library (std::regex,
    # std::function) that the plain build proves initialised; the plain
    # build keeps that warning as an error.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-maybe-uninitialized)
    endif()
    # Undefined behaviour stays recoverable so that the runtime's suppression
    # file applies; tools/sanitize.sh makes the first report fatal
    # (UBSAN_OPTIONS=halt_on_error=1).
endif()

if(KICK_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "KICK_FUZZ needs clang (libFuzzer); configure with CMAKE_CXX_COMPILER=clang++-22")
    endif()
    # Coverage feedback for the code under test; only the fuzz executables
    # link libFuzzer's main (fuzz/CMakeLists.txt).
    add_compile_options(-fsanitize=fuzzer-no-link)
    # JUCE 7.0.5 declares a template constructor of AudioPluginInstance whose
    # body newer clang rejects at definition although nothing instantiates
    # it; parsing template bodies only when they are used lets JUCE compile.
    add_compile_options(-fdelayed-template-parsing)
endif()
