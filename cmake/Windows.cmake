# The Windows programs: GUI executables with an icon file and the version as Windows
# resources, Qt's static plugins that they need linked in, and no symbols.

# hoopwright_windows_executable(target ICON file.ico DESCRIPTION text): the icon file is
# rendered with the other artwork (Artwork.cmake) into this directory's art/.
function(hoopwright_windows_executable target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "ICON;DESCRIPTION" "")
    set(HOOPWRIGHT_ICO ${CMAKE_CURRENT_BINARY_DIR}/art/${arg_ICON})
    set(HOOPWRIGHT_EXE_NAME ${target})
    set(HOOPWRIGHT_EXE_DESCRIPTION ${arg_DESCRIPTION})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${HOOPWRIGHT_ICO})
    target_sources(${target} PRIVATE ${rc})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    # The windows platform, the icon reader (the board program's window icon is its .ico)
    # and the native widget style; no other plugin.
    qt_import_plugins(${target}
        INCLUDE_BY_TYPE platforms Qt6::QWindowsIntegrationPlugin
        INCLUDE_BY_TYPE imageformats Qt6::QICOPlugin
        INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin
        EXCLUDE_BY_TYPE iconengines)
    target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
