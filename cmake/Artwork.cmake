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
# The play designer's icons: its program icon and the icon of play files. They are installed
# beside the board program's and built into the Windows program, not embedded as resources.
set(HOOPWRIGHT_PLAYBOOK_ICONS playbook_icon play_file_icon)

# Free faces with the metrics of the ones the windows name, from Debian's font packages.
set(HOOPWRIGHT_FONT_FILES
    "tahoma.ttf=/usr/share/wine/fonts/tahoma.ttf"
    "ms_sans_serif.ttf=/usr/share/wine/fonts/ms_sans_serif.ttf"
    "pagella-regular.otf=/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyrepagella-regular.otf"
)
# The faces the play library draws names and numbers with, from fonts-dejavu-core.
set(HOOPWRIGHT_PLAY_FONT_FILES
    "DejaVuSans.ttf=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
    "DejaVuSans-Bold.ttf=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
)

# The paths of fonts given as ALIAS=PATH entries, each with its alias as its name among the
# resources of the directory that calls this.
function(hoopwright_font_paths paths_var)
    set(paths)
    foreach(entry IN LISTS ARGN)
        string(REPLACE "=" ";" pair "${entry}")
        list(GET pair 0 alias)
        list(GET pair 1 path)
        if(NOT EXISTS "${path}")
            message(FATAL_ERROR "font ${path} is missing: run scripts/bootstrap")
        endif()
        set_source_files_properties(${path} PROPERTIES QT_RESOURCE_ALIAS ${alias})
        list(APPEND paths ${path})
    endforeach()
    set(${paths_var} ${paths} PARENT_SCOPE)
endfunction()

# Adds the rule that renders an artwork source to output, a PNG when size is WIDTHxHEIGHT or
# a Windows icon file of thirteen images when it is "ico", with svgrender's options after
# it; appends the output to the list named by outputs_var.
function(hoopwright_render outputs_var source output size)
    if(size STREQUAL "ico")
        set(args --ico ${source} ${output})
    else()
        string(REPLACE "x" ";" dimensions ${size})
        set(args ${ARGN} ${source} ${output} ${dimensions})
    endif()
    add_custom_command(
        OUTPUT ${output}
        COMMAND svgrender ${args}
        DEPENDS ${source} svgrender
        COMMENT "Rendering ${output}"
        VERBATIM)
    set(${outputs_var} ${${outputs_var}} ${output} PARENT_SCOPE)
endfunction()

# An icon at every size in HOOPWRIGHT_ICON_SIZES, art/NAME-SIZE.png.
function(hoopwright_render_icon outputs_var name)
    set(outputs ${${outputs_var}})
    foreach(size IN LISTS HOOPWRIGHT_ICON_SIZES)
        hoopwright_render(outputs ${PROJECT_SOURCE_DIR}/src/resources/art/${name}.svg
                          ${CMAKE_CURRENT_BINARY_DIR}/art/${name}-${size}.png ${size}x${size})
    endforeach()
    set(${outputs_var} ${outputs} PARENT_SCOPE)
endfunction()

# The play designer's icons rendered into art/ (and its icon file, art/playbook_icon.ico), as
# a target of their own that the named target depends on.
function(hoopwright_add_playbook_icons target)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/art)
    set(outputs)
    foreach(name IN LISTS HOOPWRIGHT_PLAYBOOK_ICONS)
        hoopwright_render_icon(outputs ${name})
    endforeach()
    hoopwright_render(outputs ${PROJECT_SOURCE_DIR}/src/resources/art/playbook_icon.svg
                      ${CMAKE_CURRENT_BINARY_DIR}/art/playbook_icon.ico ico)
    add_custom_target(${target}_icons ALL DEPENDS ${outputs})
    add_dependencies(${target} ${target}_icons)
endfunction()

function(hoopwright_add_resources target)
    set(art_src ${PROJECT_SOURCE_DIR}/src/resources/art)
    set(art_out ${CMAKE_CURRENT_BINARY_DIR}/art)
    file(MAKE_DIRECTORY ${art_out})

    hoopwright_font_paths(font_paths ${HOOPWRIGHT_FONT_FILES})
    set(font_args)
    foreach(path IN LISTS font_paths)
        list(APPEND font_args --font ${path})
    endforeach()

    set(outputs)
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
        hoopwright_render(outputs ${art_src}/${name}.svg ${art_out}/${name}.png ${width}x${height} ${font_args} ${mode})
        hoopwright_render(outputs ${art_src}/${name}.svg ${art_out}/${name}@2x.png ${width2}x${height2}
                          ${font_args} ${mode})
    endforeach()
    foreach(name IN LISTS HOOPWRIGHT_ICONS)
        hoopwright_render_icon(outputs ${name})
    endforeach()
    # The program's icon as one Windows icon file of thirteen images.
    hoopwright_render(outputs ${art_src}/load_icon.svg ${art_out}/load_icon.ico ico)

    qt_add_resources(${target} hoopwright_art PREFIX /art BASE ${art_out} FILES ${outputs})
    qt_add_resources(${target} hoopwright_fonts PREFIX /fonts FILES ${font_paths})
    file(GLOB texts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/resources/text/*)
    if(texts)
        qt_add_resources(${target} hoopwright_text PREFIX /text BASE ${PROJECT_SOURCE_DIR}/src/resources/text
                         FILES ${texts})
    endif()
endfunction()
