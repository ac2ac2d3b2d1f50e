# The windows preset's toolchain: the Windows Qt that scripts/build-windows builds and caches,
# through that Qt's own toolchain file (which loads the MinGW-w64 one it was built with).
# KUBIQ_WINDOWS_QT names another installed Windows Qt.
if(DEFINED ENV{KUBIQ_WINDOWS_QT})
    set(_kubiq_qt "$ENV{KUBIQ_WINDOWS_QT}")
elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_kubiq_qt "$ENV{XDG_CACHE_HOME}/kubiq/windows/qt")
else()
    set(_kubiq_qt "$ENV{HOME}/.cache/kubiq/windows/qt")
endif()
if(NOT EXISTS "${_kubiq_qt}/lib/cmake/Qt6/qt.toolchain.cmake")
    message(FATAL_ERROR "No Windows Qt in ${_kubiq_qt}: scripts/build-windows builds it")
endif()
include("${_kubiq_qt}/lib/cmake/Qt6/qt.toolchain.cmake")
