# `cpack -G DEB` in a build folder makes zr93kw-setfactory_<version>-1_<arch>.deb
# of what `cmake --install` installs. Build it from the release preset: the
# debug preset's sanitizers would go into the package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zr93kw-setfactory)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZR93KW station maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "factory station tool for the ZR93KW dual-band handheld radio")
set(CPACK_PACKAGING_INSTALL_PREFIX ${ZR_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)

set(ZR_PACKAGE_MAINTAINER "ZR93KW station maintainers <zr93kw-station@example.com>"
    CACHE STRING "The Debian package's Maintainer field: a name and a mail address")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZR_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_NAME ${CPACK_PACKAGE_NAME})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The station reads a radio's 256-byte factory block over the serial
programming cable, shows it in a window for editing and writes it back. In
scan-code write mode it records which package each radio went into, in the
plant's SQL Server database through ODBC (FreeTDS by default). The same
engine runs headless, as subcommands, for automation.
.
Also contains zr93kw-radio-sim, a simulated radio on a pseudo-terminal.")

# Dependencies of the linked libraries come from dpkg-shlibdeps. What it
# cannot see: Qt's ODBC driver is a plugin loaded at run time, and scan-code
# mode cannot work without it. The SQL Server driver is only the default
# (--db-driver names any registered one), the ODBC tools (odbcinst, isql)
# serve setting it up, the fonts give the window its intended layout and
# Chinese captions, and Qt's translations the Chinese window's box buttons
# (without them the buttons stay English); all are wanted on a station but
# not required.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-odbc")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "tdsodbc, unixodbc, fonts-liberation, fonts-wqy-microhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package's copyright file and its changelog.Debian.gz. No licence has
# been granted for the station: the copyright file says so. The changelog's
# date is the build's (SOURCE_DATE_EPOCH, when set, makes it repeatable).
configure_file(copyright.in copyright @ONLY)
string(TIMESTAMP ZR_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(changelog.Debian.in changelog/changelog.Debian @ONLY)
set(ZR_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(
  OUTPUT ${ZR_CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E copy changelog/changelog.Debian changelog.Debian
  COMMAND gzip -9nf changelog.Debian
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog/changelog.Debian
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  VERBATIM)
add_custom_target(zr93kw-setfactory-changelog ALL DEPENDS ${ZR_CHANGELOG})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${ZR_CHANGELOG} DESTINATION ${ZR_DOC_DIR})
install(FILES zr93kw-setfactory.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zr93kw-setfactory)

include(CPack)
