# The Debian package: `cpack -G DEB` in a build folder makes zzquenbrel_VERSION_ARCH.deb with
# the saver as an xscreensaver hack, its description, the gallery, the manual pages, the menu
# entries with their icons, the AppStream metadata, the copyright and the changelog. Its
# dependencies come from dpkg-shlibdeps. The package is native: the project makes it itself,
# so its changelog is changelog.gz, not changelog.Debian.gz.

set(QUENBREL_DOC_DIR share/doc/zzquenbrel)
set(QUENBREL_PACKAGE_FILES ${CMAKE_CURRENT_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${QUENBREL_PACKAGE_FILES})

# Gzipped with -9n, as Debian ships manual pages and changelogs: no name, no time stamp.
function(quenbrel_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(gzipped ${QUENBREL_PACKAGE_FILES}/${name}.gz)
  add_custom_command(OUTPUT ${gzipped} COMMAND gzip -9n -c ${source} > ${gzipped} DEPENDS ${source} VERBATIM)
  add_custom_target(gzip_${name} ALL DEPENDS ${gzipped})
  install(FILES ${gzipped} DESTINATION ${destination})
endfunction()

# Manual pages go in the folder of their section, the last letter of their name.
file(GLOB manual_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/man/*.[1-8])
foreach(page IN LISTS manual_pages)
  string(REGEX MATCH "[1-8]$" section ${page})
  quenbrel_gzipped(${page} share/man/man${section})
endforeach()

# The changelog's newest entry names the version the package says it is.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^zzquenbrel \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/debian/changelog begins with '${newest}', not version ${PROJECT_VERSION}")
endif()
quenbrel_gzipped(${PROJECT_SOURCE_DIR}/data/debian/changelog ${QUENBREL_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${QUENBREL_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides DESTINATION share/lintian/overrides
        RENAME zzquenbrel)

# The menu entries. The settings entry runs the hack where it is installed.
set(QUENBREL_HACK_DIR ${CMAKE_INSTALL_PREFIX}/libexec/xscreensaver)
configure_file(${PROJECT_SOURCE_DIR}/data/applications/zzquenbrel-settings.desktop.in
               ${QUENBREL_PACKAGE_FILES}/zzquenbrel-settings.desktop @ONLY)
install(FILES ${QUENBREL_PACKAGE_FILES}/zzquenbrel-settings.desktop
              ${PROJECT_SOURCE_DIR}/data/applications/zzquenbrel-gallery.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/metainfo/org.zzquenbrel.zzquenbrel.metainfo.xml DESTINATION share/metainfo)

# mate-screensaver's list of savers: its folder of entries, the theme named after the file.
configure_file(${PROJECT_SOURCE_DIR}/data/applications/screensavers/zzquenbrel.desktop.in
               ${QUENBREL_PACKAGE_FILES}/screensavers/zzquenbrel.desktop @ONLY)
install(FILES ${QUENBREL_PACKAGE_FILES}/screensavers/zzquenbrel.desktop DESTINATION share/applications/screensavers)

# The icon of both entries: the first frame of the effect in its default colours, rendered at
# 256 pixels and averaged down to each smaller size, where a frame rendered small would be a
# pattern of another scale, down to a checkerboard at 16 pixels.
foreach(size 16 24 32 48 64 128 256)
  set(icon ${QUENBREL_PACKAGE_FILES}/icons/${size}/zzquenbrel.png)
  add_custom_command(OUTPUT ${icon}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${QUENBREL_PACKAGE_FILES}/icons/${size}
                     COMMAND quenbrel-render --size 256x256 --frames 1 --color1 0000FF --color2 000000
                             --scale ${size}x${size} --png ${icon} > /dev/null
                     DEPENDS quenbrel-render VERBATIM)
  list(APPEND icons ${icon})
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${icons})

# What Debian's strip does beyond CMake's: the compilers' version notes go too.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  foreach(program libexec/xscreensaver/$<TARGET_FILE_NAME:zzQuenbrel.scr> bin/$<TARGET_FILE_NAME:zzQuenbrel-gallery>
                  bin/$<TARGET_FILE_NAME:zzQuenbrel-add-to-xscreensaver>)
    execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                            \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zzquenbrel)
set(CPACK_PACKAGE_VENDOR "zzQuenbrel")
set(CPACK_PACKAGE_CONTACT "zzQuenbrel developers <maintainers@zzquenbrel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver of two mirrored colour patterns added into each other")
# Lines of at most 80 characters, as dpkg shows them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A static pattern drawn from a palette that runs from one colour to another
and back, of which two moving, edge-mirrored copies are added pixel by pixel
on every frame. It runs as a hack of xscreensaver (the command
zzQuenbrel-add-to-xscreensaver puts it into a user's list), of xsecurelock and
of mate-screensaver; the colours are chosen in its settings dialog, in the
menu as zzQuenbrel Settings.
.
zzQuenbrel-gallery shows the components its windows are built from, live.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Where the settings entry looks for the hack.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | mate-screensaver | xsecurelock")
set(CPACK_STRIP_FILES ON)

# The idle watcher in /usr/bin (its manual page comes with the others): stripped as the other
# programs are, and named in the description.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                          \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:zzQuenbrel-idle> COMMAND_ERROR_IS_FATAL ANY)
endif()")
string(APPEND CPACK_DEBIAN_PACKAGE_DESCRIPTION "
.
zzQuenbrel-idle starts the saver after an idle time where no idle daemon does:
on GNOME, on Wayland compositors with an idle protocol, and on X11.")

include(CPack)
