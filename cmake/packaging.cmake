# What a Linux install carries besides the programs (man pages, bash completion, AppStream
# metainfo, licence and Debian changelog), and the Debian package made from it by
# `cpack -G DEB` in the build directory. The Windows installer is packaging/windows/trelvan.nsi.
if(NOT UNIX OR APPLE)
  return()
endif()

include(GNUInstallDirs)
set(TRELVAN_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(TRELVAN_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/trelvan)

# Debian policy wants man pages and changelogs compressed with gzip -9n (no name, no time).
find_program(TRELVAN_GZIP gzip REQUIRED)
function(trelvan_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TRELVAN_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

set(trelvan_packaging_files)
set(man_pages trelvan-cli)
if(TARGET trelvan)
  list(APPEND man_pages trelvan)
endif()
foreach(page IN LISTS man_pages)
  configure_file(${TRELVAN_PACKAGING_DIR}/${page}.1.in ${CMAKE_BINARY_DIR}/packaging/${page}.1 @ONLY)
  trelvan_gzip(${CMAKE_BINARY_DIR}/packaging/${page}.1 ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  list(APPEND trelvan_packaging_files ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${TRELVAN_PACKAGING_DIR}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
trelvan_gzip(${CMAKE_BINARY_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
list(APPEND trelvan_packaging_files ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(trelvan_packaging_files ALL DEPENDS ${trelvan_packaging_files})

install(FILES ${TRELVAN_PACKAGING_DIR}/trelvan-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME trelvan-cli)
if(TARGET trelvan)
  set(metainfo example.trelvan.trelvan.metainfo.xml)
  configure_file(${TRELVAN_PACKAGING_DIR}/${metainfo}.in ${CMAKE_BINARY_DIR}/packaging/${metainfo} @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${metainfo} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
endif()
install(FILES ${TRELVAN_PACKAGING_DIR}/copyright ${PROJECT_SOURCE_DIR}/LICENSE
              ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${TRELVAN_DOC_DIR})

# The Debian package. Its version is the project's; it is a native package (no Debian revision).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trelvan)
set(CPACK_PACKAGE_VENDOR "Trelvan Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Trelvan Software <info@trelvan.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter of Czech bank statements between ABO and DBF")
# The summary is the synopsis line; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "TRELVAN converts bank statements between the fixed-width ABO statement file
(*.abo, *.gpc) that Czech banks deliver and a dBASE III table (*.dbf) with
its memo file (*.dbt), in both directions, byte for byte. The table opens in
spreadsheet and database programs; an edited table turns back into a
statement file.
.
The package holds the desktop dialog (trelvan) and the command line tool
for scripts (trelvan-cli). Messages are in Czech.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.trelvan.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The About dialog hands mail and web links to the desktop through xdg-email and xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
