# The Debian package: `cpack -G DEB` in the build folder makes n240qx_<version>_<arch>.deb from
# what `cmake --install` installs, with the version of the project() line.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "n240qx")
set(CPACK_PACKAGE_VENDOR "n240qx developers")
set(CPACK_PACKAGE_CONTACT "n240qx developers <maintainers@users.noreply.c-seed-394b82fd.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the N240QX USB gaming keyboard")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# SPDX-License-Identifier: GPL-3.0-or-later, as data/debian/copyright says in Debian's words.
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/COPYING")
# The long description, below the summary line; CPack indents it and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Lighting effects and per-key colours, key remapping (keys, combinations, media
and shortcut functions, macros, launch actions), macro recording and editing,
game mode, Windows-key lock, report rate and response time, profile import and
export, factory reset and the firmware check of the N240QX keyboard
(USB id 04d9:a124).

The package holds the window program n240qx with its tray icon, the
command-line tool n240qx-ctl and the udev rule that lets the user at the local
seat configure the keyboard. Both run on a built-in keyboard simulator when no
keyboard is attached.")
# The libraries come from the programs themselves (dpkg-shlibdeps); Qt's platform plugins are
# loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/data/debian/postinst;${PROJECT_SOURCE_DIR}/data/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The date of the changelog that data/ installs.
execute_process(COMMAND date -u -R -d "${N240QX_RELEASE_DATE}"
                OUTPUT_VARIABLE changelog_date OUTPUT_STRIP_TRAILING_WHITESPACE)

include(CPack)
