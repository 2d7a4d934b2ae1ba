# Installing Quillmoor Tarot as a desktop application (`cmake --install`), and its Debian
# package (`cpack -G DEB`). Everything the app reads at run time is compiled into the binary;
# beside it are the sound player's library and what the desktop reads: the entry, the icon,
# AppStream data.
include(GNUInstallDirs)

set(QUILLMOOR_APP_ID com.quillmoor.tarot)
set(linux_dir ${PROJECT_SOURCE_DIR}/resources/linux)
set(art_dir ${PROJECT_SOURCE_DIR}/resources/art)

install(TARGETS quillmoor-tarot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quillmoor_sound_player LIBRARY DESTINATION ${QUILLMOOR_SOUND_PLAYER_DESTINATION})
install(FILES ${linux_dir}/${QUILLMOOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux_dir}/${QUILLMOOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${art_dir}/${QUILLMOOR_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
    install(FILES ${art_dir}/icons/${size}/${QUILLMOOR_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME card-art-LICENSE OPTIONAL)

# The Debian package: library dependencies are read off the binary; the QML modules, the SQL
# driver and the multimedia back end are loaded at run time, so they are named here.
set(CPACK_PACKAGE_NAME quillmoor-tarot)
set(CPACK_PACKAGE_VENDOR Quillmoor)
set(CPACK_PACKAGE_CONTACT "Quillmoor <feedback@quillmoor.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calm tarot journal for daily reflection")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quillmoor.app)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(quillmoor_runtime_packages
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-templates qml6-module-qtquick-dialogs
    qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript qml6-module-qtcore
    qml6-module-qtquick-shapes qml6-module-qt-labs-folderlistmodel
    libqt6sql6-sqlite libqt6multimedia6)
list(JOIN quillmoor_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dbus-user-session")
include(CPack)
