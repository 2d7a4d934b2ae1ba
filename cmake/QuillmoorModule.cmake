# quillmoor_module(<target> URI <uri> [SOURCES ...] [QML_FILES ...] [DEPENDS ...])
# One static library plus one QML module per subsystem folder. DEPENDS names other quillmoor
# modules; they are linked publicly so the arrows between subsystems stay visible in one place.
function(quillmoor_module target)
    cmake_parse_arguments(ARG "" "URI" "SOURCES;QML_FILES;RESOURCES;DEPENDS;LIBRARIES" ${ARGN})
    qt_add_library(${target} STATIC)
    set(imports "")
    foreach(dep IN LISTS ARG_DEPENDS)
        # Plain libraries (core) have no QML module to depend on.
        get_target_property(dep_uri ${dep} QUILLMOOR_URI)
        if(dep_uri)
            list(APPEND imports ${dep_uri})
        endif()
    endforeach()
    qt_add_qml_module(${target}
        URI ${ARG_URI}
        VERSION 1.0
        RESOURCE_PREFIX /qt/qml
        SOURCES ${ARG_SOURCES}
        QML_FILES ${ARG_QML_FILES}
        RESOURCES ${ARG_RESOURCES}
        DEPENDENCIES QtQuick ${imports}
    )
    set_target_properties(${target} PROPERTIES QUILLMOOR_URI ${ARG_URI})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_LIBRARIES})
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
