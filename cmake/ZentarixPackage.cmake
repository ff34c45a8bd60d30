# The Debian package of the program: `cpack` in a build tree writes zentarix_<version>_<arch>.deb
# from the install rules (the program, its desktop entry, its icon at every size, its AppStream
# metainfo).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentarix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Zentarix maintainers <maintainers@zentarix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Golden-section retracement levels of a price move")
# The extended description: the synopsis above is its first line, so the text does not repeat
# it, and no line is wider than 80 columns once the field's leading space is added.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zentarix computes the retracement levels of a price move at 0.382, 0.5 and
0.618, a noise corridor around two of them and six target points, and shows
them as a listing and as a diagram, or writes them as text or JSON on the
command line. All arithmetic runs in the 80-bit extended format with exactly
specified rounding; numbers are read and written under the user's locale.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the program links (Qt, the C and C++ runtimes) are found by
# dpkg-shlibdeps with the versions the build needs; the faces the window asks for and Qt's
# Russian translations are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
# Qt's Wayland platform, so that the window runs natively on Wayland desktops.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The package is built from the tree's own install rules only.
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
