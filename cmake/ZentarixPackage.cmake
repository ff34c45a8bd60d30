# The Debian packages: `cpack` in a build tree writes zentarix_<version>_<arch>.deb from the
# install rules (the program, its desktop entry, its icon at every size, its AppStream metainfo)
# and, where the Python module is built, python3-zentarix_<version>_<arch>.deb (the module).

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentarix)
set(CPACK_DEB_COMPONENT_INSTALL ON)
get_property(python_package GLOBAL PROPERTY zentarix_python_package)
if(python_package)
  set(CPACK_COMPONENTS_ALL zentarix python)
else()
  set(CPACK_COMPONENTS_ALL zentarix)
endif()
set(CPACK_DEBIAN_ZENTARIX_PACKAGE_NAME zentarix)
set(CPACK_DEBIAN_ZENTARIX_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-zentarix)
set(CPACK_DEBIAN_PYTHON_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# Built for Debian 12's Python 3.11, whose extension modules another version cannot load.
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS "python3-pandas, python3-distributed")
# The synopsis is the one of CPACK_PACKAGE_DESCRIPTION_SUMMARY, which CPack puts before every
# package's description.
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "The exact core of Zentarix as a Python 3 module: the retracement levels of a
price move at 0.382, 0.5 and 0.618, their noise corridors and target points,
for one move or NumPy arrays of moves, and the swings of price histories given
as arrays, pandas frames or price files. All arithmetic runs in the 80-bit
extended format with exactly specified rounding.")
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
set(CPACK_DEBIAN_ZENTARIX_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
# Qt's Wayland platform, so that the window runs natively on Wayland desktops.
set(CPACK_DEBIAN_ZENTARIX_PACKAGE_RECOMMENDS "qt6-wayland")
# The package is built from the tree's own install rules only.
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
