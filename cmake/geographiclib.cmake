# GeographicLib as one imported target, orvanto::geographiclib, the same in the native and the
# WebAssembly builds, so that a library links it with `target_link_libraries(x PRIVATE
# orvanto::geographiclib)` in both. Its headers come in as system headers: our warnings are not its.
if(EMSCRIPTEN)
    # Debian ships GeographicLib for the native toolchain only: scripts/debian-source-wasm builds
    # the same version with em++, and scripts/build-web and scripts/test-wasm pass its folder here.
    set(ORVANTO_GEOGRAPHICLIB_WASM "" CACHE PATH
        "GeographicLib built with em++: what `scripts/debian-source-wasm geographiclib` prints")
    set(geographiclib_library ${ORVANTO_GEOGRAPHICLIB_WASM}/lib/libGeographicLib.a)
    if(NOT ORVANTO_GEOGRAPHICLIB_WASM OR NOT EXISTS ${geographiclib_library})
        message(FATAL_ERROR "No GeographicLib built with em++ at ORVANTO_GEOGRAPHICLIB_WASM="
                            "'${ORVANTO_GEOGRAPHICLIB_WASM}': pass -DORVANTO_GEOGRAPHICLIB_WASM="
                            "\"$(scripts/debian-source-wasm geographiclib)\" "
                            "(scripts/build-web and scripts/test-wasm do)")
    endif()
    add_library(orvanto::geographiclib STATIC IMPORTED)
    set_target_properties(orvanto::geographiclib PROPERTIES
        IMPORTED_LOCATION ${geographiclib_library}
        INTERFACE_INCLUDE_DIRECTORIES ${ORVANTO_GEOGRAPHICLIB_WASM}/include)
else()
    # Debian's libgeographiclib-dev.
    find_library(GEOGRAPHICLIB_LIBRARY GeographicLib REQUIRED)
    find_path(GEOGRAPHICLIB_INCLUDE_DIR GeographicLib/Geodesic.hpp REQUIRED)
    add_library(orvanto::geographiclib UNKNOWN IMPORTED)
    set_target_properties(orvanto::geographiclib PROPERTIES
        IMPORTED_LOCATION ${GEOGRAPHICLIB_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${GEOGRAPHICLIB_INCLUDE_DIR})
endif()
