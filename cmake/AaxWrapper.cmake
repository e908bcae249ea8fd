# JUCE's AAX client wrapper, compiled unchanged against our interface library.
#
# Debian's JUCE switches the AAX build off in juce_CheckSettingMacros.h, which
# the wrapper includes by a relative path right before its guard. The wrapper
# is therefore copied into the build tree beside a copy of that header with
# only the switch-off block removed; the other utility headers it includes by
# relative path get one-line forwarding headers.
set(KICK_AAX_WRAPPER_SOURCE "${JUCE_MODULES_DIR}/juce_audio_plugin_client")
set(KICK_AAX_WRAPPER_DIR "${CMAKE_BINARY_DIR}/aax_wrapper")

function(kick_prepare_aax_wrapper)
    set(src "${KICK_AAX_WRAPPER_SOURCE}")
    set(dst "${KICK_AAX_WRAPPER_DIR}")

    configure_file("${src}/AAX/juce_AAX_Wrapper.cpp" "${dst}/AAX/juce_AAX_Wrapper.cpp" COPYONLY)
    configure_file("${src}/AAX/juce_AAX_Modifier_Injector.h" "${dst}/AAX/juce_AAX_Modifier_Injector.h" COPYONLY)

    file(READ "${src}/utility/juce_CheckSettingMacros.h" settings)
    set(switch_off_block
"#if JucePlugin_Build_AAX
# warning JUCE/Debian disabled AAX support
# undef JucePlugin_Build_AAX
# define JucePlugin_Build_AAX 0
#endif
")
    string(FIND "${settings}" "${switch_off_block}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The AAX switch-off block was not found in ${src}/utility/juce_CheckSettingMacros.h: "
                            "this JUCE differs from the one the AAX build was made for.")
    endif()
    string(REPLACE "${switch_off_block}" "" settings "${settings}")
    file(WRITE "${dst}/utility/juce_CheckSettingMacros.h.new" "${settings}")
    configure_file("${dst}/utility/juce_CheckSettingMacros.h.new" "${dst}/utility/juce_CheckSettingMacros.h" COPYONLY)

    foreach(header juce_IncludeSystemHeaders.h juce_IncludeModuleHeaders.h juce_WindowsHooks.h)
        file(WRITE "${dst}/utility/${header}.new" "#include <juce_audio_plugin_client/utility/${header}>\n")
        configure_file("${dst}/utility/${header}.new" "${dst}/utility/${header}" COPYONLY)
    endforeach()
endfunction()
