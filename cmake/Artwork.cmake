# The program's pictures are vector sources (src/resources/art/*.svg), rendered at build
# time by our own svgrender tool to PNGs at their stated pixel size and at twice that size
# for high-DPI screens, and embedded with Qt's resource system together with the fonts and
# the texts.

# name width height [grey|palette]: every picture the windows show; the black-and-white
# courts are stored in shades of grey, the main window's picture with a palette.
set(HOOPWRIGHT_PICTURES
    "main_window_picture 858 442 palette"
    "half_court 1057 638 grey"
    "whole_court 1059 615 grey"
    "ally1 126 192" "ally2 129 192" "ally3 123 189" "ally4 126 188" "ally5 127 191"
    "enemy1 127 192" "enemy2 124 191" "enemy3 126 194" "enemy4 125 190" "enemy5 126 189"
    "terms_background 600 700"
    "about_picture 792 365"
    "load_background 379 201"
)
# Icons are rendered at every size a desktop asks for.
set(HOOPWRIGHT_ICONS clipboard load_icon)
set(HOOPWRIGHT_ICON_SIZES 16 24 32 48 64 128 256)

# Free faces with the metrics of the ones the windows name, from Debian's font packages.
set(HOOPWRIGHT_FONT_FILES
    "tahoma.ttf=/usr/share/wine/fonts/tahoma.ttf"
    "ms_sans_serif.ttf=/usr/share/wine/fonts/ms_sans_serif.ttf"
    "pagella-regular.otf=/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyrepagella-regular.otf"
)

function(hoopwright_add_resources target)
    set(art_src ${PROJECT_SOURCE_DIR}/src/resources/art)
    set(art_out ${CMAKE_CURRENT_BINARY_DIR}/art)
    file(MAKE_DIRECTORY ${art_out})

    set(font_args)
    set(font_paths)
    foreach(entry IN LISTS HOOPWRIGHT_FONT_FILES)
        string(REPLACE "=" ";" pair "${entry}")
        list(GET pair 0 alias)
        list(GET pair 1 path)
        if(NOT EXISTS "${path}")
            message(FATAL_ERROR "font ${path} is missing: run scripts/bootstrap")
        endif()
        list(APPEND font_args --font ${path})
        list(APPEND font_paths ${path})
        set_source_files_properties(${path} PROPERTIES QT_RESOURCE_ALIAS ${alias})
    endforeach()

    set(outputs)
    macro(render source output width height)
        add_custom_command(
            OUTPUT ${output}
            COMMAND svgrender ${font_args} ${mode} ${source} ${output} ${width} ${height}
            DEPENDS ${source} svgrender
            COMMENT "Rendering ${output}"
            VERBATIM)
        list(APPEND outputs ${output})
    endmacro()

    foreach(entry IN LISTS HOOPWRIGHT_PICTURES)
        string(REPLACE " " ";" fields "${entry}")
        list(GET fields 0 name)
        list(GET fields 1 width)
        list(GET fields 2 height)
        set(mode)
        list(LENGTH fields count)
        if(count GREATER 3)
            list(GET fields 3 kind)
            set(mode --${kind})
        endif()
        math(EXPR width2 "${width} * 2")
        math(EXPR height2 "${height} * 2")
        render(${art_src}/${name}.svg ${art_out}/${name}.png ${width} ${height})
        render(${art_src}/${name}.svg ${art_out}/${name}@2x.png ${width2} ${height2})
    endforeach()
    set(mode)
    foreach(name IN LISTS HOOPWRIGHT_ICONS)
        foreach(size IN LISTS HOOPWRIGHT_ICON_SIZES)
            render(${art_src}/${name}.svg ${art_out}/${name}-${size}.png ${size} ${size})
        endforeach()
    endforeach()
    # The program's icon as one Windows icon file of thirteen images.
    add_custom_command(
        OUTPUT ${art_out}/load_icon.ico
        COMMAND svgrender --ico ${art_src}/load_icon.svg ${art_out}/load_icon.ico
        DEPENDS ${art_src}/load_icon.svg svgrender
        COMMENT "Rendering ${art_out}/load_icon.ico"
        VERBATIM)
    list(APPEND outputs ${art_out}/load_icon.ico)

    qt_add_resources(${target} hoopwright_art PREFIX /art BASE ${art_out} FILES ${outputs})
    qt_add_resources(${target} hoopwright_fonts PREFIX /fonts FILES ${font_paths})
    file(GLOB texts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/resources/text/*)
    if(texts)
        qt_add_resources(${target} hoopwright_text PREFIX /text BASE ${PROJECT_SOURCE_DIR}/src/resources/text
                         FILES ${texts})
    endif()
endfunction()
