# Desktop integration of an installed copy and the Debian package built from it:
#   cmake --build build --target package   ->  build/zarvex_<version>_amd64.deb
# The program folder goes to /usr/lib/zarvex (read-only at run time; scratch files
# then go to the user's data folder), with relative links in /usr/bin.
set(pkg "${CMAKE_CURRENT_LIST_DIR}")
set(pkg_out "${CMAKE_BINARY_DIR}/packaging")
set(app_id org.zarvex.Zarvex)
set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/zarvex")
set(icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Generated pages: the man page of zarvex-cli from its own --help text, and the
# compressed man pages and changelog (gzip -n: no time stamp, so builds repeat).
configure_file("${pkg}/changelog.in" "${pkg_out}/changelog" @ONLY)
add_custom_command(
  OUTPUT "${pkg_out}/zarvex-cli.1.gz" "${pkg_out}/zarvex.1.gz" "${pkg_out}/changelog.gz"
  COMMAND sh "${pkg}/make_manpage.sh" "$<TARGET_FILE:zarvex-cli>" "${PROJECT_VERSION}"
          > "${pkg_out}/zarvex-cli.1"
  COMMAND gzip -9nf "${pkg_out}/zarvex-cli.1"
  COMMAND gzip -9nc "${pkg}/zarvex.1" > "${pkg_out}/zarvex.1.gz"
  COMMAND gzip -9nc "${pkg_out}/changelog" > "${pkg_out}/changelog.gz"
  DEPENDS zarvex-cli "${pkg}/make_manpage.sh" "${pkg}/zarvex.1" "${pkg_out}/changelog"
  COMMENT "Writing the man pages and the changelog")
add_custom_target(zarvex_package_docs ALL
  DEPENDS "${pkg_out}/zarvex-cli.1.gz" "${pkg_out}/zarvex.1.gz" "${pkg_out}/changelog.gz")

install(FILES "${pkg}/${app_id}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${pkg}/zarvex-mime.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
        RENAME zarvex.xml)
install(FILES "${pkg}/${app_id}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
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
install(FILES "${pkg}/zarvex-cli.bash-completion"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions" RENAME zarvex-cli)
install(FILES "${pkg}/copyright" "${pkg_out}/changelog.gz" DESTINATION "${doc_dir}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvex)
set(CPACK_PACKAGE_VENDOR "Zarvex developers")
set(CPACK_PACKAGE_CONTACT "Zarvex developers <maintainers@zarvex.example.org>")
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
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zarvex.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shell opens pages, help and addresses through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
