# Warning flags for the project's own code. JUCE's headers come in as system
# includes, so their warnings stay out of the way.
option(KICK_WARNINGS_AS_ERRORS "Treat warnings in the project's own code as errors" ON)

function(kick_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KICK_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A library made of every source file in DIR (headers and .cpp), with DIR's
# parent folder as its include root. A folder without .cpp files yet gives a
# header-only (INTERFACE) library, so a layer can grow file by file.
function(kick_add_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
    if(sources)
        add_library(${name} STATIC ${sources})
        kick_set_warnings(${name})
        set(scope PUBLIC)
    else()
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} "${dir}")
endfunction()
