# Installs the build into a fresh prefix and checks what a desktop reads there: the desktop
# entry and AppStream data validate, the icon exists at every size, the binary is in place, and
# the sound player's library is where the program looks for it.
# Run by CTest with -DBUILD_DIR=... -DPREFIX=...
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(share ${PREFIX}/share)
foreach(path bin/quillmoor-tarot
             share/icons/hicolor/scalable/apps/com.quillmoor.tarot.svg
             share/icons/hicolor/48x48/apps/com.quillmoor.tarot.png
             share/icons/hicolor/128x128/apps/com.quillmoor.tarot.png
             share/icons/hicolor/256x256/apps/com.quillmoor.tarot.png)
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
if(NOT EXISTS ${PREFIX}/bin/${SOUND_PLAYER_FROM_PROGRAM})
    message(FATAL_ERROR "the sound player is not at bin/${SOUND_PLAYER_FROM_PROGRAM}")
endif()

execute_process(COMMAND desktop-file-validate ${share}/applications/com.quillmoor.tarot.desktop
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(result OR out)
    message(FATAL_ERROR "desktop entry: ${out}")
endif()
execute_process(COMMAND appstreamcli validate --no-net --pedantic ${share}/metainfo/com.quillmoor.tarot.metainfo.xml
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(result)
    message(FATAL_ERROR "AppStream data: ${out}")
endif()

# Each PNG is square at its folder's size: width and height from the IHDR chunk.
foreach(size 48 128 256)
    file(READ ${share}/icons/hicolor/${size}x${size}/apps/com.quillmoor.tarot.png header LIMIT 24 HEX)
    string(SUBSTRING ${header} 32 8 width_hex)
    string(SUBSTRING ${header} 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "icon ${size}: ${width} x ${height}")
    endif()
endforeach()
