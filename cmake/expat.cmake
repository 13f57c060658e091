# expat, the RTZ reader's XML parser, as one imported target, orvanto::expat, the same in the native
# and the WebAssembly builds. Its headers come in as system headers: our warnings are not its.
if(EMSCRIPTEN)
    # Debian ships expat for the native toolchain only: scripts/debian-source-wasm builds it from
    # Debian's source with emscripten, and scripts/build-web and scripts/test-wasm pass its folder.
    set(ORVANTO_EXPAT_WASM "" CACHE PATH
        "expat built with emscripten: the folder `scripts/debian-source-wasm expat` prints")
    set(expat_library ${ORVANTO_EXPAT_WASM}/lib/libexpat.a)
    if(NOT ORVANTO_EXPAT_WASM OR NOT EXISTS ${expat_library})
        message(FATAL_ERROR "No expat built with emscripten at ORVANTO_EXPAT_WASM="
                            "'${ORVANTO_EXPAT_WASM}': pass "
                            "-DORVANTO_EXPAT_WASM=\"$(scripts/debian-source-wasm expat)\" "
                            "(scripts/build-web and scripts/test-wasm do)")
    endif()
    add_library(orvanto::expat STATIC IMPORTED)
    set_target_properties(orvanto::expat PROPERTIES
        IMPORTED_LOCATION ${expat_library}
        INTERFACE_INCLUDE_DIRECTORIES ${ORVANTO_EXPAT_WASM}/include)
else()
    # Debian's libexpat1-dev.
    find_package(EXPAT REQUIRED)
    add_library(orvanto::expat ALIAS EXPAT::EXPAT)
endif()
