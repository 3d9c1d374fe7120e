# Install layout and the Debian package. The knowledge base is inside the
# executable, so the program, its desktop entry, its AppStream metadata and its
# icons are the whole installation.

include(GNUInstallDirs)

set(QUORVANTA_APP_ID "com.velmarik.Quorvanta")
set(QUORVANTA_ICON_SIZES 16 22 24 32 48 64 128 256 512)

install(TARGETS quorvanta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
    set(_linux "${CMAKE_SOURCE_DIR}/resources/linux")
    set(_icons "${CMAKE_SOURCE_DIR}/resources/icons")
    install(FILES "${_linux}/${QUORVANTA_APP_ID}.desktop"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES "${_linux}/${QUORVANTA_APP_ID}.metainfo.xml"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES "${_icons}/app_icon.svg"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${QUORVANTA_APP_ID}.svg)
    # tools/icons/make_icons.sh draws these from app_icon.svg.
    foreach(size ${QUORVANTA_ICON_SIZES})
        install(FILES "${_icons}/hicolor/app_icon_${size}.png"
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${QUORVANTA_APP_ID}.png)
    endforeach()
endif()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quorvanta")
set(CPACK_PACKAGE_VENDOR "Velmarik")
set(CPACK_PACKAGE_CONTACT "Velmarik <feedback@velmarik.example.com>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop knowledge base of industrial software")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.velmarik.example.com/quorvanta")
# CPack puts the summary first and indents the text as a control file wants it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quorvanta describes CAD, CAE, CFD, CAM, EDA, PLM, BIM, MBSE and ERP products,
the companies behind them, their core technologies, engineering disciplines
and knowledge-graph pictures. Entries are browsed in a category tree, read as
rendered pages, searched, shown as forms, Markdown, tables or relation graphs,
and kept with notes, highlights, favourites and a history.

The knowledge base is built into the program.")
# dpkg-shlibdeps names the libraries the executable links (the Qt 6 ones among
# them); the pages are Chinese text, so a CJK font comes along.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk")
# Qt's own Chinese texts (standard dialog buttons) for the Chinese interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
