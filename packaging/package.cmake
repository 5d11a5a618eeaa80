# Desktop integration of an installed copy and the Debian package built from it:
#   cmake --build build --target package   ->  build/zarvex_<version>_amd64.deb
#                                              build/zarvex-dbgsym_<version>_amd64.ddeb
# The programs go to /usr/bin, their data to /usr/share/zarvex (never written at run
# time: every per-user file lives in the user's XDG folders). Two builds from one
# commit give the same bytes: every time stamp is the last commit's.
set(pkg "${CMAKE_CURRENT_LIST_DIR}")
set(pkg_out "${CMAKE_BINARY_DIR}/packaging")
set(app_id org.zarvex.Zarvex)
set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/zarvex")
set(icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(maintainer "Zarvex developers <maintainers@zarvex.example.org>")

# The changelog and the AppStream release list, both from CHANGELOG.md.
include("${pkg}/changelog.cmake")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/CHANGELOG.md")
zarvex_read_changelog("${CMAKE_SOURCE_DIR}/CHANGELOG.md" "${maintainer}")
file(WRITE "${pkg_out}/changelog" "${ZARVEX_DEBIAN_CHANGELOG}")
configure_file("${pkg}/${app_id}.metainfo.xml.in" "${pkg_out}/${app_id}.metainfo.xml" @ONLY)

# Generated pages: the man page and the bash completion of zarvex-cli from its own
# --help text, and the compressed man pages and changelog (gzip -n: no time stamp).
add_custom_command(
  OUTPUT "${pkg_out}/zarvex-cli.1.gz" "${pkg_out}/zarvex.1.gz" "${pkg_out}/changelog.gz"
         "${pkg_out}/zarvex-cli.bash-completion"
  COMMAND sh "${pkg}/make_manpage.sh" "$<TARGET_FILE:zarvex-cli>" "${PROJECT_VERSION}"
          > "${pkg_out}/zarvex-cli.1"
  COMMAND sh "${pkg}/make_completion.sh" "$<TARGET_FILE:zarvex-cli>"
          > "${pkg_out}/zarvex-cli.bash-completion"
  COMMAND gzip -9nf "${pkg_out}/zarvex-cli.1"
  COMMAND gzip -9nc "${pkg}/zarvex.1" > "${pkg_out}/zarvex.1.gz"
  COMMAND gzip -9nc "${pkg_out}/changelog" > "${pkg_out}/changelog.gz"
  DEPENDS zarvex-cli "${pkg}/make_manpage.sh" "${pkg}/make_completion.sh" "${pkg}/zarvex.1"
          "${pkg_out}/changelog"
  COMMENT "Writing the man pages, the bash completion and the changelog")
add_custom_target(zarvex_package_docs ALL
  DEPENDS "${pkg_out}/zarvex-cli.1.gz" "${pkg_out}/zarvex.1.gz" "${pkg_out}/changelog.gz"
          "${pkg_out}/zarvex-cli.bash-completion")

install(FILES "${pkg}/${app_id}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${pkg}/zarvex-mime.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
        RENAME zarvex.xml)
install(FILES "${pkg_out}/${app_id}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
set(icon_svg "${CMAKE_SOURCE_DIR}/src/ui/resources/zarvex.svg")
install(FILES "${icon_svg}" DESTINATION "${icons}/scalable/apps" RENAME ${app_id}.svg)
install(FILES "${icon_svg}" DESTINATION "${icons}/scalable/mimetypes"
        RENAME application-x-zarvex.svg)
foreach(size 16 32 48 64 128 256)
  install(FILES "${pkg}/icons/${size}.png" DESTINATION "${icons}/${size}x${size}/apps"
          RENAME ${app_id}.png)
endforeach()
install(FILES "${pkg_out}/zarvex-cli.1.gz" "${pkg_out}/zarvex.1.gz"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${pkg_out}/zarvex-cli.bash-completion"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME zarvex-cli)
install(FILES "${pkg}/copyright" "${pkg_out}/changelog.gz" DESTINATION "${doc_dir}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvex)
set(CPACK_PACKAGE_VENDOR "Zarvex developers")
set(CPACK_PACKAGE_CONTACT "${maintainer}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design tool for drop-down navigation menus of web pages")
set(CPACK_PACKAGE_DESCRIPTION
    "Zarvex builds a drop-down navigation menu as a tree of items, sets its style\n"
    "and behaviour, and writes the files a web page needs: a stylesheet, a\n"
    "configuration script, an HTML snippet, the images and the dependency-free\n"
    "menu runtime. It previews the menu in a web browser and publishes it into\n"
    "the project's folder.\n"
    "\n"
    "The package holds the window program zarvex and the command-line tool\n"
    "zarvex-cli, which publishes project files without a display.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The programs are installed unstripped so that the packer can split their debug
# information into zarvex-dbgsym (found by build id) before it strips them; stripping
# at install time would leave it nothing to split.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zarvex.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shell opens pages, help and addresses through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Every time stamp in the package is the last commit's (unless the caller gives one).
execute_process(COMMAND git -C "${CMAKE_SOURCE_DIR}" log -1 --format=%ct
                OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT commit_time MATCHES "^[0-9]+$")
  set(commit_time 0)
endif()
configure_file("${pkg}/cpack_config.cmake.in" "${pkg_out}/cpack_config.cmake" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${pkg_out}/cpack_config.cmake")
include(CPack)
