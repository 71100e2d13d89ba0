# What `cmake --install` puts in place, and the Debian package CPack makes of
# it (`cpack -G DEB`, see scripts/package.sh).

install(TARGETS vyn8_rk47 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vyn8-counter)
  install(TARGETS vyn8-counter RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS vyn8-ledger vyn8-balance RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(VYN8_APP_ID com.quilvane.vyn8_rk47)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VYN8_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${VYN8_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/${VYN8_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/${VYN8_APP_ID}.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
# The default seed sets a new data folder gets, and the manual "Manual" opens
# (the program looks for both in ../share/vyn8 from its own folder).
install(FILES ${CMAKE_SOURCE_DIR}/resources/SeedPara.txt ${CMAKE_SOURCE_DIR}/docs/manual.html
  DESTINATION ${CMAKE_INSTALL_DATADIR}/vyn8)
# Man pages, compressed as Debian keeps them; made with the console.
set(VYN8_MAN_PAGES)
foreach(page vyn8_rk47.1 vyn8-counter.1 vyn8-ledger.1 vyn8-balance.1)
  set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/man/${page} > ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/man/${page})
  list(APPEND VYN8_MAN_PAGES ${out})
endforeach()
add_custom_target(vyn8_man_pages ALL DEPENDS ${VYN8_MAN_PAGES})
add_dependencies(vyn8_rk47 vyn8_man_pages)
install(FILES ${VYN8_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME vyn8)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quilvane Inc.")
set(CPACK_PACKAGE_CONTACT "Quilvane Inc. <support@quilvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VYN8 seed counter console")
set(CPACK_PACKAGE_DESCRIPTION
  "The VYN8 console drives a seed-counting machine over an RS-232 line: seed
parameter sets, Totalize and Batch Counts of scanned sample IDs, sample
records saved as text or Excel 97-2003 workbooks, the inventory per sample
ID with its history in an inventory ledger, printed sample tables.
Includes vyn8-counter, a simulated counter for demonstrations and training,
vyn8-balance, a simulated laboratory balance for the thousand-seed weight,
and vyn8-ledger, the inventory ledger from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugin and the ledger's SQLite driver at run time:
# no linked library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
# A lab ledger on a PostgreSQL server needs the PostgreSQL driver.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
include(CPack)
