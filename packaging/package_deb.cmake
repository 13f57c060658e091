# The Debian packages, made by `cpack -G DEB` from a release build of what the install rules put in
# place: `orvanto` (the programs), and `python3-orvanto` (the Python module) when it is built, so
# that window users do not get pandas. Version from project().
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanto)
set(CPACK_PACKAGE_VENDOR "The Orvanto developers")
set(CPACK_PACKAGE_CONTACT "The Orvanto developers <developers@orvanto.example>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL orvanto)
set(CPACK_DEBIAN_ORVANTO_PACKAGE_NAME orvanto)
if(TARGET orvanto_python)
    list(APPEND CPACK_COMPONENTS_ALL python)
    set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-orvanto)
endif()
# Each package's summary is the first line of its own description: an empty common summary keeps
# CPack from putting one in front of both.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
# The long descriptions keep Debian's line width, so their lines are broken by hand.
set(CPACK_DEBIAN_ORVANTO_DESCRIPTION
    "chart distance and angle calculator, Chinese interface
A small calculator for navigation charts with a Simplified Chinese interface
(经纬度距离角度计算器). Type the latitude and longitude of up to three points
in chart notation, degrees and minutes as in 4250.0 or degrees, minutes and
seconds as in 421125, and get the distance between two points in kilometres
and nautical miles, and the angle that they make at a reference point.

The package holds the window, orvanto, with its entry in the desktop's
application menu, and the command-line tool orvanto-cli, which runs the same
calculations and prints the same results.")
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "chart distance and angle calculator for pandas and Dask
The calculator of orvanto-cli as a Python 3 module, orvanto: a pandas
DataFrame of legs in chart notation (4250.0, 421125) gets the very texts
orvanto-cli batch writes for the same rows (kilometres, nautical miles, the
angle at a reference point, the message of a row that cannot be computed),
and NumPy arrays of decimal degrees get the distance and the angle as
numbers. orvanto.dask spreads a batch over the machines of a Dask cluster.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVANTO_HOME_PAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# A Debian-native version (no revision): the changelog is changelog.gz and its newest entry is the
# project's version, which packaging/CMakeLists.txt checks.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# Libraries by dpkg-shlibdeps, for both packages. It cannot see what the window needs at run time
# only: a Simplified Chinese font for its texts, and xdg-open for the home-page link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ORVANTO_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")
# The module is built for Debian's Python 3.11 and reads DataFrames; Dask's cluster is optional.
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= 3.11), python3 (<< 3.12), python3-numpy, python3-pandas")
set(CPACK_DEBIAN_PYTHON_PACKAGE_SUGGESTS python3-distributed)

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
