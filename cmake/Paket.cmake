# The Debian package, built by `cpack -G DEB` in a build tree (paket.sh).
# Its library dependencies are read off the programs by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME dubrinax)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dubrinax maintainers <maintainers@dubrinax.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find files with identical content in two directory trees")
set(CPACK_PACKAGE_DESCRIPTION
  "Dubrinax compares every file of a first directory tree byte for byte with
the files of a second tree that have its size and lists each file with the
identical files it has; naming one directory twice lists each group of
identical files once. Selected files can be copied or moved into another
directory, keeping their paths. The window speaks German; dubrinax-cli
prints the same list for scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # dubrinax_<version>_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so no library names them: the
# window cannot open without the X11 one. The window is laid out for
# Liberation Sans (app/Schrift.h) and falls back to the system's face.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_STRIP_FILES ON)
# Directories as the system has them, whatever the umask of the one who builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
