# The Windows program: a GUI executable with the icon file and version as Windows
# resources, Qt's static plugins that it needs linked in, and no symbols.

function(hoopwright_windows_executable target)
    # The icon file is rendered with the other artwork (Artwork.cmake) in this directory.
    set(HOOPWRIGHT_ICO ${CMAKE_CURRENT_BINARY_DIR}/art/load_icon.ico)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/hoopwright.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/hoopwright.rc.in ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${HOOPWRIGHT_ICO})
    target_sources(${target} PRIVATE ${rc})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    # The windows platform, the icon reader (the window icon is the same .ico) and the
    # native widget style; no other plugin.
    qt_import_plugins(${target}
        INCLUDE_BY_TYPE platforms Qt6::QWindowsIntegrationPlugin
        INCLUDE_BY_TYPE imageformats Qt6::QICOPlugin
        INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin)
    target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
