# What `cmake --install` puts outside the programs, and the Debian package CPack builds from it.

# The manual and its pictures lie together in one directory, which the menu entry starts Quorvel in:
# the program finds its help file in the working directory.
set(QUORVEL_HELP_SUBDIR ${CMAKE_INSTALL_DATADIR}/quorvel)
install(FILES ${PROJECT_SOURCE_DIR}/docs/Quorvel.hlp DESTINATION ${QUORVEL_HELP_SUBDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${QUORVEL_HELP_SUBDIR} FILES_MATCHING PATTERN "*.png")
# Written at install time, when the prefix is known: CPack installs under its own.
install(CODE "
  set(QUORVEL_HELP_DIR \"\${CMAKE_INSTALL_PREFIX}/${QUORVEL_HELP_SUBDIR}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/quorvel.desktop.in\"
                 \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/quorvel.desktop\" @ONLY)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/quorvel.desktop\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_CONTACT "Quorvel developers <quorvel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Book rooms, vehicles and equipment by the time slot")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel keeps the bookings of a site's rooms, vehicles and equipment in a SQLite file for one "
    "machine or a PostgreSQL database shared by every workstation. quorvel-db creates the database.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link come from dpkg-shlibdeps; it cannot see what Qt loads at run time
# (the SQL drivers) nor the fonts that stand in for Times New Roman in reports and the logo.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, fonts-liberation")
set(CPACK_STRIP_FILES ON)
include(CPack)
