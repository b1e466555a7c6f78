# The Debian package (cpack -G DEB): both programs in /usr/bin, the desktop entry and its icons,
# and the command line's manual page. scripts/pacote.sh builds it; scripts/verificar-pacote.sh
# installs it in a clean Debian 12 root.
include(GNUInstallDirs)

set(LUMO_PACOTE_RECURSOS ${CMAKE_SOURCE_DIR}/pacote)

install(TARGETS WLumoProd wlumoprod-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${LUMO_PACOTE_RECURSOS}/wlumoprod.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LUMO_PACOTE_RECURSOS}/wlumoprod.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNGs are wlumoprod.svg rendered at their size (rsvg-convert -w N -h N), kept beside it.
foreach(lado 48 256)
  install(FILES ${LUMO_PACOTE_RECURSOS}/wlumoprod-${lado}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps RENAME wlumoprod.png)
endforeach()

# The page is written when the package is made, from the program just built, so its command list
# is the program's; the rule after it installs the result.
set(LUMO_PAGINA_MANUAL ${CMAKE_BINARY_DIR}/pacote/wlumoprod-cli.1.gz)
install(CODE "
  file(MAKE_DIRECTORY \"${CMAKE_BINARY_DIR}/pacote\")
  execute_process(COMMAND \"${CMAKE_COMMAND}\"
                          \"-DCLI=$<TARGET_FILE:wlumoprod-cli>\"
                          \"-DMODELO=${LUMO_PACOTE_RECURSOS}/wlumoprod-cli.1.in\"
                          \"-DSAIDA=${LUMO_PAGINA_MANUAL}\"
                          \"-DVERSAO=${PROJECT_VERSION}\"
                          -P \"${LUMO_PACOTE_RECURSOS}/pagina-manual.cmake\"
                  RESULT_VARIABLE estado)
  if(NOT estado EQUAL 0)
    message(FATAL_ERROR \"Não foi possível escrever a página de manual de wlumoprod-cli.\")
  endif()
")
install(FILES ${LUMO_PAGINA_MANUAL} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wlumoprod)
set(CPACK_PACKAGE_VENDOR LumoGest)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "LumoGest <suporte@lumogest.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Gestão de produção para pequenos fabricantes")
# The summary above is the first line of the package's description; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Nomenclaturas, ordens de produção por lote, stocks e custo médio, lotes,
produção instantânea, processos, etiquetas de código de barras e relatórios,
numa base de dados de empresa partilhada por vários postos (SQLite numa
máquina, PostgreSQL para várias). Traz o programa de janelas WLumoProd e a
linha de comandos wlumoprod-cli.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Build trees are RelWithDebInfo: the package carries the programs without their debug data.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# dpkg-shlibdeps finds the linked libraries (Qt, zint, libxlsxwriter, libzip, libsodium, curl,
# SQLite); the SQL drivers are plugins Qt loads by name and the reports ask for Arial and Arial
# Narrow, whose metric twins are in fonts-liberation, so those are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql")
find_program(LUMO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT LUMO_DPKG_SHLIBDEPS)
  message(STATUS "Pacote: sem dpkg-shlibdeps (dpkg-dev), o pacote sairia sem as bibliotecas nas dependências")
endif()

include(CPack)
