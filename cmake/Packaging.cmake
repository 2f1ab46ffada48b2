# What a Debian system expects beside the program, and the package itself (cpack -G DEB in
# the build folder): the copyright file, the changelog, the manual pages, the AppStream
# metadata that lets software centres list the two programs, and the play files' MIME type.
include(GNUInstallDirs)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_out})

# The copyright file carries the licence agreement in full, as the program shows it, in the
# copyright format's continuation lines (a leading space, "." for an empty line).
set(agreement_file ${PROJECT_SOURCE_DIR}/src/resources/text/agreement.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${agreement_file} ${packaging_dir}/copyright.in)
file(READ ${agreement_file} agreement)
string(REPLACE "\r" "" agreement "${agreement}")
string(STRIP "${agreement}" agreement)
string(REGEX REPLACE "\n\n+" "\n.\n" agreement "${agreement}")
string(REPLACE "\n" "\n " agreement " ${agreement}")
file(READ ${packaging_dir}/copyright.in copyright)
string(REPLACE "@AGREEMENT@" "${agreement}" copyright "${copyright}")
# Every font the programs embed has its own paragraph.
include(${PROJECT_SOURCE_DIR}/cmake/Artwork.cmake)
foreach(entry IN LISTS HOOPWRIGHT_FONT_FILES HOOPWRIGHT_PLAY_FONT_FILES)
    string(REGEX REPLACE "=.*" "" font "${entry}")
    string(REPLACE "." "\\." font_pattern "${font}")
    string(REGEX MATCH "\nFiles:( [^ \n]+)* ${font_pattern}( [^ \n]+)*\n" at "${copyright}")
    if(NOT at)
        message(FATAL_ERROR "packaging/copyright.in: no Files paragraph for the embedded font ${font}")
    endif()
endforeach()
set(written)
if(EXISTS ${packaging_out}/copyright)
    file(READ ${packaging_out}/copyright written)
endif()
if(NOT written STREQUAL copyright)
    file(WRITE ${packaging_out}/copyright "${copyright}")
endif()

# Debian wants the changelog and manual pages compressed at the highest level, without the
# time stamp that would make each build differ.
set(compressed)
foreach(name changelog hoopwright.1 hoopwright-playbook.1)
    add_custom_command(
        OUTPUT ${packaging_out}/${name}.gz
        COMMAND gzip -9n -c ${packaging_dir}/${name} > ${packaging_out}/${name}.gz
        DEPENDS ${packaging_dir}/${name}
        COMMENT "Compressing ${name}")
    list(APPEND compressed ${packaging_out}/${name}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed})

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/hoopwright)
install(FILES ${packaging_out}/copyright ${packaging_out}/changelog.gz DESTINATION ${doc_dir})
install(FILES ${packaging_out}/hoopwright.1.gz ${packaging_out}/hoopwright-playbook.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_dir}/com.example.torvane.hoopwright.metainfo.xml
              ${packaging_dir}/com.example.torvane.hoopwright.playbook.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Play files as a MIME type; Debian's shared-mime-info rebuilds its database from this folder
# through a dpkg trigger.
install(FILES ${packaging_dir}/hoopwright-play.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# A Debian package depending on Debian's Qt 6. Its section is education: the programs are a
# board on which coaches explain plays to their players and a designer they prepare plays
# with; they keep no score and play nothing.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hoopwright)
set(CPACK_PACKAGE_VENDOR Torvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tactics board and play designer for basketball coaches")
set(CPACK_PACKAGE_DESCRIPTION "Hoopwright: open a half court or a whole court and drag ten numbered jerseys\n\
over it with the mouse or a finger to explain plays; each board keeps its\n\
arrangement.\n\
.\n\
Hoopwright Playbook: design plays step by step, with a note for each step and\n\
undo for every change, and keep them in play files (.hwplay) that open from\n\
the file manager.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Torvane <support@torvane.example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.torvane.example.com/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's Wayland plugin, for a Wayland session without X.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
