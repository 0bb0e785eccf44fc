# Install rules: `cmake --install build --prefix /usr` (or DESTDIR=... for a package) lays out
#   bin/velmora, bin/velmora-cli, bin/velmora-phone
#   share/velmora/                      the data the first start copies into each account's program folder
#   share/applications/velmora.desktop  the desktop entry (Exec=velmora, found on the PATH)
#   share/mime/packages/velmora.xml     the fleet (.vlf) and PIM (.pim) file types
#   share/icons/hicolor/*/              the program's and the file types' icons
# The program finds share/velmora relative to itself, so the prefix can be anywhere. When the prefix's
# share folder is one the desktop reads (XDG_DATA_DIRS) and its bin folder is on the PATH, the first
# start leaves the entry, file types and icons to the installed ones; otherwise it copies them into the
# account's own data folder.
# Build tools (velmora-datagen, velmora-schema), the screenshot tool and the tests are not installed.

install(TARGETS velmora velmora-cli velmora-phone RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${VELMORA_SHARE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
install(FILES ${CMAKE_BINARY_DIR}/share/applications/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/share/mime/packages/velmora.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages)
install(DIRECTORY ${CMAKE_BINARY_DIR}/share/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons
        FILES_MATCHING PATTERN "velmora.png" PATTERN "application-x-velmora-*.png")

# Installed straight into a live prefix (no DESTDIR): bring the desktop's caches up to date so the new
# file types and icons show at once. A package leaves this to the distribution's own triggers.
install(CODE "set(VELMORA_DATAROOTDIR \"${CMAKE_INSTALL_DATAROOTDIR}\")")
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    if(IS_ABSOLUTE "${VELMORA_DATAROOTDIR}")
      set(share "${VELMORA_DATAROOTDIR}")
    else()
      set(share "${CMAKE_INSTALL_PREFIX}/${VELMORA_DATAROOTDIR}")
    endif()
    find_program(VELMORA_UPDATE_MIME update-mime-database)
    find_program(VELMORA_UPDATE_DESKTOP update-desktop-database)
    find_program(VELMORA_UPDATE_ICONS gtk-update-icon-cache)
    if(VELMORA_UPDATE_MIME)
      execute_process(COMMAND "${VELMORA_UPDATE_MIME}" "${share}/mime")
    endif()
    if(VELMORA_UPDATE_DESKTOP)
      execute_process(COMMAND "${VELMORA_UPDATE_DESKTOP}" -q "${share}/applications")
    endif()
    # Only a theme folder that is a theme (it has its index) gets a cache.
    if(VELMORA_UPDATE_ICONS AND EXISTS "${share}/icons/hicolor/index.theme")
      execute_process(COMMAND "${VELMORA_UPDATE_ICONS}" -q "${share}/icons/hicolor")
    endif()
  endif()
]])
