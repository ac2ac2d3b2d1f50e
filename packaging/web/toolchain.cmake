# The web preset's toolchain: the WebAssembly Qt that scripts/build-web builds and caches,
# through that Qt's own toolchain file (which loads Debian's emscripten one it was built with).
# KUBIQ_WEB_QT names another installed WebAssembly Qt.
if(DEFINED ENV{KUBIQ_WEB_QT})
    set(_kubiq_qt "$ENV{KUBIQ_WEB_QT}")
elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_kubiq_qt "$ENV{XDG_CACHE_HOME}/kubiq/web/qt")
else()
    set(_kubiq_qt "$ENV{HOME}/.cache/kubiq/web/qt")
endif()
if(NOT EXISTS "${_kubiq_qt}/lib/cmake/Qt6/qt.toolchain.cmake")
    message(FATAL_ERROR "No WebAssembly Qt in ${_kubiq_qt}: scripts/build-web builds it")
endif()
# Qt's helpers find emscripten through an emsdk's layout, which the build of that Qt made beside
# it.
if(NOT DEFINED ENV{EMSDK})
    get_filename_component(_kubiq_emsdk "${_kubiq_qt}/../emsdk" ABSOLUTE)
    set(ENV{EMSDK} "${_kubiq_emsdk}")
endif()
include("${_kubiq_qt}/lib/cmake/Qt6/qt.toolchain.cmake")
