# JUCE's modules compiled once per build tree into one static library,
# `juce_static`, that the engine, the editor, the plug-in module, the test host
# and the tests all link. Consumers include the module headers directly
# (<juce_audio_processors/juce_audio_processors.h>, ...).
find_package(JUCE CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(KICK_FREETYPE REQUIRED IMPORTED_TARGET freetype2 fontconfig)
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
find_package(ZLIB REQUIRED)
find_package(Threads REQUIRED)

set(KICK_JUCE_MODULES
    juce_core juce_events juce_data_structures juce_graphics juce_gui_basics
    juce_gui_extra juce_audio_basics juce_audio_formats juce_audio_devices
    juce_audio_processors juce_audio_utils)

add_library(juce_static STATIC)
foreach(module IN LISTS KICK_JUCE_MODULES)
    target_link_libraries(juce_static PRIVATE juce::${module})
    # Module availability must be seen identically by the library and its users.
    target_compile_definitions(juce_static PUBLIC JUCE_MODULE_AVAILABLE_${module}=1)
endforeach()

target_compile_definitions(juce_static PUBLIC
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_USE_CURL=0
    JUCE_WEB_BROWSER=0
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_USE_MP3AUDIOFORMAT=0
    JUCE_USE_LAME_AUDIO_FORMAT=0
    JUCE_USE_WINDOWS_MEDIA_FORMAT=0
    JUCE_ALSA=0
    JUCE_JACK=0
    JUCE_STANDALONE_APPLICATION=0
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_SILENCE_XCODE_15_LINKER_WARNING=1
    $<IF:$<CONFIG:Debug>,DEBUG=1 _DEBUG=1,NDEBUG=1 _NDEBUG=1>)

target_include_directories(juce_static SYSTEM PUBLIC "${JUCE_MODULES_DIR}")
target_link_libraries(juce_static PUBLIC
    PkgConfig::KICK_FREETYPE PNG::PNG JPEG::JPEG ZLIB::ZLIB
    Threads::Threads ${CMAKE_DL_LIBS} rt)
# JUCE's own sources are not held to the project's warning level.
target_compile_options(juce_static PRIVATE -w)
