# What users install. On Linux: the two programs with the menu entry, the icons, the manual
# page and the documents under the prefix (make install), and a Debian package of the same
# (make package). On Windows: a zip of the two programs, their notes and the sample drawing
# (make windows).
# Included once, at the end of the top-level list, when the targets are all defined.

if(NOT TARGET Trevano OR NOT TARGET trevano-cli)
    return() # builds without the programs (the fuzz target) install nothing
endif()

set(CPACK_PACKAGE_NAME Trevano)
set(CPACK_PACKAGE_VENDOR Trevano)
set(CPACK_PACKAGE_CONTACT "Trevano <trevano@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "convertitore delle polilinee di disegni DXF in file di punti")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # The programs carry their runtime, so the zip is the whole program: unpacked anywhere,
    # it runs. Its files lie at the top, where Explorer's "Extract all" already makes a folder.
    set(notes_source ${PROJECT_SOURCE_DIR}/dist/LEGGIMI.txt)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${notes_source})
    file(READ ${notes_source} notes)
    string(CONFIGURE "${notes}" notes @ONLY)
    string(REPLACE "\n" "\r\n" notes "${notes}")
    # Notepad before Windows 10 takes a file without a byte-order mark for the ANSI code page.
    string(ASCII 239 187 191 utf8_bom)
    file(WRITE ${PROJECT_BINARY_DIR}/LEGGIMI.txt "${utf8_bom}${notes}")

    install(TARGETS Trevano trevano-cli RUNTIME DESTINATION .)
    # The notes' examples convert the sample drawings, which lie beside them.
    install(FILES ${PROJECT_BINARY_DIR}/LEGGIMI.txt ${PROJECT_SOURCE_DIR}/samples/scafo.dxf
            ${PROJECT_SOURCE_DIR}/samples/wigley.dxf DESTINATION .)

    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(windows_kind win64)
    else()
        set(windows_kind win32)
    endif()
    set(CPACK_GENERATOR ZIP)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_PACKAGE_FILE_NAME
        Trevano-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}-${windows_kind})
else()
    include(GNUInstallDirs)
    set(top ${PROJECT_SOURCE_DIR})
    install(TARGETS Trevano trevano-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${top}/dist/trevano.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # The icon at its own size, and drawn anew at the sizes that menus and launchers show.
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${top}/res/trevano.png DESTINATION ${icons}/32x32/apps)
    foreach(size 48 64 128 256)
        install(FILES ${top}/res/trevano-${size}.png DESTINATION ${icons}/${size}x${size}/apps
                RENAME trevano.png)
    endforeach()
    # The manual pages and the changelog compressed as Debian compresses them (gzip -9n: no
    # name, no time), so that the package's bytes follow from the sources alone. A native
    # package's changelog is changelog.gz.
    set(docs ${CMAKE_INSTALL_DATADIR}/doc/trevano)
    function(install_compressed name destination)
        set(compressed ${PROJECT_BINARY_DIR}/${name}.gz)
        add_custom_command(OUTPUT ${compressed}
            COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/dist/${name} > ${compressed}
            DEPENDS ${PROJECT_SOURCE_DIR}/dist/${name})
        add_custom_target(compress_${name} ALL DEPENDS ${compressed})
        install(FILES ${compressed} DESTINATION ${destination})
    endfunction()
    install_compressed(Trevano.1 ${CMAKE_INSTALL_MANDIR}/man1)
    install_compressed(trevano-cli.1 ${CMAKE_INSTALL_MANDIR}/man1)
    install_compressed(changelog ${docs})

    # The licence in Debian's machine-readable form, its terms taken from LICENSE.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${top}/LICENSE)
    file(READ ${top}/LICENSE licence)
    string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" notice "${licence}")
    set(holders ${CMAKE_MATCH_1})
    string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]+\n" "" terms "${licence}")
    string(STRIP "${terms}" terms)
    string(REPLACE "\n\n" "\n.\n" terms "${terms}")
    string(REPLACE "\n" "\n " terms "${terms}")
    file(WRITE ${PROJECT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Trevano
Upstream-Contact: ${CPACK_PACKAGE_CONTACT}

Files: *
Copyright: ${holders}
License: Expat
 ${terms}
")
    # The README with what it shows and names, where its links find them.
    install(FILES ${top}/README.md ${PROJECT_BINARY_DIR}/copyright DESTINATION ${docs})
    install(FILES ${top}/samples/scafo.dxf ${top}/samples/scafo-anteprima.png
            ${top}/samples/wigley.dxf ${top}/samples/wigley-carene-diritte.png
            DESTINATION ${docs}/samples)

    # Debian's triggers refresh the menu, the icon caches and the manual's index, so the
    # package has no scripts of its own.
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_NAME trevano)
    set(patch_level 0)
    if(NOT PROJECT_VERSION_PATCH STREQUAL "")
        set(patch_level ${PROJECT_VERSION_PATCH})
    endif()
    set(CPACK_DEBIAN_PACKAGE_VERSION
        ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${patch_level})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # What the libraries do not name: Qt's Italian texts for its own dialogs, and the font
    # whose metrics the dialog units are taken from.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-dejavu-extra")
    set(CPACK_PACKAGE_DESCRIPTION [=[
Trevano legge un disegno DXF in forma di testo, ne prende le polilinee
(POLYLINE) con i loro vertici, le ordina per la x del primo punto e le scrive
nei file di testo che leggono i programmi di pannellatura e di calcolo: liste
di punti (.csv) e sezioni a x costante (.dat e .csv).

Il pacchetto contiene il programma a finestre Trevano, in italiano, e il
convertitore a riga di comando trevano-cli, con la sua pagina di manuale e un
disegno d'esempio.]=])
endif()

include(CPack)
