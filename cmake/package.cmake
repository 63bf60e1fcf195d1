# script/package: a Debian package of what `cmake --install` puts in place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallimer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tallimer developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal work-time tracker")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(TALLIMER_MAINTAINER "Tallimer maintainers <maintainers@users.noreply.c-seed-d57cc739.example>"
    CACHE STRING "The package's maintainer")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALLIMER_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The runtime dependencies come from what the programs and tallimer-report's PDF module link, as
# dpkg-shlibdeps finds them: Qt's packages (Print Support's for printing the timesheet), and
# libical's (libical3 on Debian 12) for the holiday calendars.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform is a plugin that nothing links, so dpkg-shlibdeps cannot find it; without
# it Qt falls back to X11 through XWayland. CPack adds the libraries' dependencies to this one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-wayland)
# The summary above is the first line; CPack indents this text below it.
set(CPACK_PACKAGE_DESCRIPTION "Tallimer records when work starts and stops in a plain-text journal,
works out the day's presence and credit against a daily target and keeps
a running flexitime balance. A live day summary, the list of all entries
and a monthly report show what the journal holds; tallimer-report prints
the same views on the command line.")
include(CPack)
