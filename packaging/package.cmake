# Installation rules and the Debian package (`./build.sh package`, CPack). Programs go to bin, the
# stock installation to share/keldmar2, where both programs look for it relative to themselves.
include(GNUInstallDirs)

set(K2_PROJECT_URL "https://keldmar2.tessary.example" CACHE STRING "the project's home page")
set(K2_PACKAGE_MAINTAINER "Tessary Keldmar 2 team <keldmar2@tessary.example>" CACHE STRING
    "the package maintainer, Name <mail>")
set(K2_RELEASE_DATE "2026-12-09")
set(K2_RELEASE_DATE_RFC "Wed, 09 Dec 2026 12:00:00 +0000")
set(K2_APP_ID com.tessary.Keldmar2Editor)
set(_pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(_out ${CMAKE_BINARY_DIR}/packaging)

configure_file(${_pkg}/${K2_APP_ID}.metainfo.xml.in ${_out}/${K2_APP_ID}.metainfo.xml @ONLY)
configure_file(${_pkg}/changelog.in ${_out}/changelog @ONLY)

# Debian wants manual pages and the changelog compressed, without a time stamp in the header.
set(_compressed)
foreach(_in ${_pkg}/keldmar2-editor.1 ${_pkg}/k2tool.1 ${_out}/changelog)
    get_filename_component(_name ${_in} NAME)
    add_custom_command(OUTPUT ${_out}/${_name}.gz
        COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${_in} ${_out}/${_name}.gz
        DEPENDS ${_in} VERBATIM)
    list(APPEND _compressed ${_out}/${_name}.gz)
endforeach()
add_custom_target(package_texts ALL DEPENDS ${_compressed})

install(TARGETS keldmar2-editor k2tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Terrain masks and the recent list are written by a run of the editor, not part of the stock.
install(DIRECTORY ${K2_INSTALL_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/keldmar2
        REGEX "-x[0-9]\\.bmp$" EXCLUDE REGEX "/battle\\.lst$" EXCLUDE REGEX "\\.part$" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${_pkg}/${K2_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_out}/${K2_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_pkg}/keldmar2-editor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${_pkg}/k2tool.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME k2tool)
install(FILES ${_out}/keldmar2-editor.1.gz ${_out}/k2tool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_pkg}/copyright ${_out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/keldmar2-editor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keldmar2-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tessary)
set(CPACK_PACKAGE_CONTACT ${K2_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "battle editor of the Keldmar 2 hex wargame")
set(CPACK_PACKAGE_DESCRIPTION
    "Creates and changes the battles of a turn-based tactical wargame of foot,
horse, bows and early guns, fought on a hex map between a Western and an
Eastern force: the map with its terrain, structures, objective, markers and
map text, and both armies with their reinforcements. Battles of the first
game open too. Comes with k2tool, which checks, converts, renders and edits
battles from the command line, and a stock installation of graphics, sounds,
definitions and sample battles.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian keeps that section for programs in /usr/games, and this is a tool for
# making battles, not the game.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${K2_PROJECT_URL})
# Libraries come from what the programs link (dpkg-shlibdeps). The map-text faces are not linked:
# without them Qt draws the texts in another font, so they are recommended, not required.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, fonts-cardo, fonts-klaudia-berenika, fonts-blankenburg")
include(CPack)
