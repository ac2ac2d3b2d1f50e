# Read by cpack once per generator. Only the Debian package installs under /usr: the source
# archive keeps the tree at its top.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    unset(CPACK_PACKAGING_INSTALL_PREFIX)
endif()
