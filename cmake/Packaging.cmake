# Installing and packaging: `cmake --install` and `./dev package` (a .deb made by CPack).
#
# The editor looks for its tools, CTRLCODE.H and the help file in its own folder, so the
# program files stay together in one folder of their own, PREFIX/lib/lumatext7700, and
# PREFIX/bin holds links to the programs people start:
#
#   bin/Lumatext7700, bin/lumatext, bin/unit7700      links into lib/lumatext7700
#   lib/lumatext7700/    Lumatext7700, lumatext, unit7700, lexmill.exe, binmill.exe,
#                        7700.exe, CTRLCODE.H, Lumatext7700.hlp
#   share/applications/lumatext7700.desktop
#   share/icons/hicolor/scalable/apps/lumatext7700.svg
#   share/mime/packages/lumatext7700.xml               script files (*.src)
#   share/doc/lumatext7700/                            README, the documents for people
#                                                      who program units, examples/Demo.src
include(GNUInstallDirs)

set(LT_INSTALL_PROGRAM_DIR "lib/lumatext7700" CACHE STRING "Folder of the editor and its tools, below the prefix")
set(LT_INSTALL_DOC_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/lumatext7700")

foreach(program Lumatext7700 lumatext lexmill binmill unit_tool unit7700)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${LT_INSTALL_PROGRAM_DIR})
  endif()
endforeach()
install(FILES data/CTRLCODE.H data/Lumatext7700.hlp DESTINATION ${LT_INSTALL_PROGRAM_DIR})

# Relative links, so that the tree works under any prefix and inside DESTDIR.
set(LT_BIN_TO_PROGRAMS "")
file(RELATIVE_PATH LT_BIN_TO_PROGRAMS "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${LT_INSTALL_PROGRAM_DIR}")
foreach(program Lumatext7700 lumatext unit7700)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK \"${LT_BIN_TO_PROGRAMS}/${program}\" \"\${bin}/${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/${program} -> ${LT_BIN_TO_PROGRAMS}/${program}\")")
endforeach()

install(FILES data/lumatext7700.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES data/lumatext7700.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES data/lumatext7700.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages)
install(FILES README.md docs/script-language.md docs/escape-file.md docs/flash-image.md docs/serial-protocol.md
              docs/emulator.md
        DESTINATION ${LT_INSTALL_DOC_DIR})
install(FILES data/samples/Demo.src DESTINATION ${LT_INSTALL_DOC_DIR}/examples)

# The .deb: the Qt libraries found by dpkg-shlibdeps, the platform plugins and a font with
# fixed-pitch characters besides. The system's triggers register the desktop entry and the
# file type.
set(CPACK_PACKAGE_NAME "lumatext7700")
set(CPACK_PACKAGE_VENDOR "Brelmo Industries")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor and programmer for 7700 series LED message display units")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumatext 7700 composes the messages of 7740 and 7780 LED message display units in a form-based editor with a live simulation display, keeps them in script files and compiles, assembles and programs them into units over a serial port. It comes with the script compiler lexmill.exe, the flash assembler binmill.exe, the unit tool 7700.exe, a unit emulator and the lumatext command-line program.")
set(CPACK_PACKAGE_CONTACT "Brelmo Industries <lumatext7700@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core | fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_GENERATOR "DEB")
include(CPack)
