# The Debian package `orvanto`, made by `cpack -G DEB` from a release build of what the install
# rules put in place. Version and description come from project().
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanto)
set(CPACK_PACKAGE_VENDOR "The Orvanto developers")
set(CPACK_PACKAGE_CONTACT "The Orvanto developers <developers@orvanto.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chart distance and angle calculator, Chinese interface")
# The long description keeps Debian's line width, so its lines are broken by hand.
set(CPACK_PACKAGE_DESCRIPTION
    "A small calculator for navigation charts with a Simplified Chinese interface
(经纬度距离角度计算器). Type the latitude and longitude of up to three points
in chart notation, degrees and minutes as in 4250.0 or degrees, minutes and
seconds as in 421125, and get the distance between two points in kilometres
and nautical miles, and the angle that they make at a reference point.

The package holds the window, orvanto, with its entry in the desktop's
application menu, and the command-line tool orvanto-cli, which runs the same
calculations and prints the same results.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORVANTO_HOME_PAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# A Debian-native version (no revision): the changelog is changelog.gz and its newest entry is the
# project's version, which packaging/CMakeLists.txt checks.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# Libraries by dpkg-shlibdeps. It cannot see what the window needs at run time only: a Simplified
# Chinese font for its texts, and xdg-open for the home-page link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, xdg-utils")

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
