# The Debian package: `cpack -G DEB` in a build folder makes zzquenbrel_VERSION_ARCH.deb with
# the saver as an xscreensaver hack, its description and the manual pages. Its dependencies
# come from dpkg-shlibdeps.

# Manual pages go in gzipped, as Debian's man-db expects them.
function(quenbrel_manual_page page)
  set(source ${PROJECT_SOURCE_DIR}/data/man/${page})
  set(gzipped ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${gzipped}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
                     COMMAND gzip -9n -c ${source} > ${gzipped}
                     DEPENDS ${source} VERBATIM)
  add_custom_target(man_${page} ALL DEPENDS ${gzipped})
  install(FILES ${gzipped} DESTINATION share/man/man6)
endfunction()

file(GLOB manual_pages RELATIVE ${PROJECT_SOURCE_DIR}/data/man CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/man/*.6)
foreach(page IN LISTS manual_pages)
  quenbrel_manual_page(${page})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zzquenbrel)
set(CPACK_PACKAGE_VENDOR "zzQuenbrel")
set(CPACK_PACKAGE_CONTACT "zzQuenbrel developers <zzquenbrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver of two mirrored colour patterns added into each other")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A static pattern drawn from a palette that runs from one colour to another
and back, of which two moving, edge-mirrored copies are added pixel by pixel on every frame.
It runs as an xscreensaver hack.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_STRIP_FILES ON)
include(CPack)
