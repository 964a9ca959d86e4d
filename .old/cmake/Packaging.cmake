# The Debian package: everything `cmake --install` puts in place, under
# /usr, with the library dependencies worked out by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME ojn-tevrik-editor)
set(CPACK_PACKAGE_VENDOR "OJN Tevrik Editor developers")
set(CPACK_PACKAGE_CONTACT "OJN Tevrik Editor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Kept to short lines: dpkg shows the long description as it is written.
set(CPACK_PACKAGE_DESCRIPTION [[
Opens one O2Jam note chart (.ojn file) at a time and shows its header:
song ID, title, artist, pattern author, genre, OJM music file, tempo,
the levels of the Ex, Nx and Hx charts and their note counts. The
fields can be changed, the cover picture and the thumbnail replaced,
viewed or saved as files of their own, and the chart saved to its own
file or a new one. The note data passes through a save byte for byte.]])
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${CPACK_PACKAGE_NAME})
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
