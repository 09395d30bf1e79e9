# Fails when a file under SOURCE_DIR includes a project header from a layer it may not see,
# an X11 or Wayland header outside its backend (or the idle watcher's source of that system),
# libblkid's header outside its one unit, or a picture library's header outside the codecs.
# Run with cmake -DSOURCE_DIR=... -P.

# Each layer, by the folder prefix of its files (relative to src/), and the layers it may
# include besides itself. The first matching prefix names a file's layer. The user-interface
# layer is four rooms: its core (the runtime and its loop) includes nothing of the controls,
# menus or dialogs above it.
cmake_policy(SET CMP0007 NEW)  # the base layer's empty list of others is an element

set(layers
  "app/main.cpp|app engine components appkit imaging vekutils uidialogs uimenus uicontrols uicore backends platform graphics base"
  "app/|engine components appkit imaging vekutils uidialogs uimenus uicontrols uicore platform graphics base"
  "gallery/main.cpp|gallery engine components appkit imaging vekutils uidialogs uimenus uicontrols uicore backends platform graphics base"
  "gallery/|engine components appkit imaging vekutils uidialogs uimenus uicontrols uicore platform graphics base"
  "engine/|components appkit imaging vekutils uidialogs uimenus uicontrols uicore platform graphics base"
  "components/|appkit imaging vekutils uidialogs uimenus uicontrols uicore platform graphics base"
  "appkit/|uidialogs uimenus uicontrols uicore platform graphics base"
  "vekutils/|uidialogs uimenus uicontrols uicore platform graphics base"
  "imaging/|graphics base"
  "framework/ui/dialogs/|uimenus uicontrols uicore platform graphics base"
  "framework/ui/menus/|uicontrols uicore platform graphics base"
  "framework/ui/controls/|uicore platform graphics base"
  "framework/ui/core/|platform graphics base"
  "framework/platform/backends/|x11 wayland platform graphics base"
  "framework/platform/x11/|platform graphics base"
  "framework/platform/wayland/|platform graphics base"
  "framework/platform/headless/|platform graphics base"
  "framework/platform/linux/|platform graphics base"
  "framework/platform/|graphics base"
  "framework/graphics/|base"
  "framework/base/|"
  "idle/main.cpp|idle idlewayland idlegnome idlex11"
  "idle/wayland/|idle"
  "idle/gnome/|idle"
  "idle/x11/|idle"
  "idle/|")
set(layer_names main app gallerymain gallery engine components appkit vekutils imaging uidialogs uimenus uicontrols uicore
                backends x11 wayland headless linux platform graphics base idlemain idlewayland idlegnome idlex11 idle)

# The layer of a path relative to src/.
function(layer_of path out)
  set(index 0)
  foreach(entry IN LISTS layers)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 prefix)
    string(FIND "${path}" "${prefix}" at)
    if(at EQUAL 0)
      list(GET layer_names ${index} name)
      set(${out} ${name} PARENT_SCOPE)
      return()
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(allowed_of layer out)
  list(FIND layer_names ${layer} index)
  list(GET layers ${index} entry)
  string(REPLACE "|" ";" parts "${entry}")
  list(LENGTH parts count)
  set(allowed ${layer})
  if(count GREATER 1)
    list(GET parts 1 list)
    string(REPLACE " " ";" list "${list}")
    list(APPEND allowed ${list})
  endif()
  # main.cpp is the application's own start.
  if(layer STREQUAL "main")
    list(APPEND allowed app)
  endif()
  set(${out} ${allowed} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(offences "")
foreach(source IN LISTS sources)
  layer_of(${source} layer)
  if(NOT layer)
    list(APPEND offences "${source}: in no layer")
    continue()
  endif()
  allowed_of(${layer} allowed)
  get_filename_component(folder ${source} DIRECTORY)
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
    # The picture libraries belong to the codecs.
    if(header MATCHES "^(jpeglib|jerror|tiffio|gif_lib|png|pixman|uemf|uwmf)[._]")
      if(NOT layer STREQUAL "imaging")
        list(APPEND offences "${source}: picture library header ${header} outside src/imaging")
      endif()
      continue()
    endif()
    if(header MATCHES "^X11/")
      if(NOT layer MATCHES "^(x11|idlex11)$")
        list(APPEND offences "${source}: X11 header ${header} outside the X11 backend")
      endif()
      continue()
    endif()
    # Wayland's client library, the generated protocols and xkbcommon belong to its backend.
    if(header MATCHES "^(wayland-|xkbcommon/)" OR header MATCHES "-client-protocol\\.h$")
      if(NOT layer MATCHES "^(wayland|idlewayland)$")
        list(APPEND offences "${source}: Wayland header ${header} outside the Wayland backend")
      endif()
      continue()
    endif()
    if(header MATCHES "^blkid[/.]")
      if(NOT source STREQUAL "framework/platform/linux/VolumeProbe.cpp")
        list(APPEND offences "${source}: libblkid header ${header} outside VolumeProbe.cpp")
      endif()
      continue()
    endif()
    if(EXISTS ${SOURCE_DIR}/${folder}/${header})
      set(target "${folder}/${header}")
    elseif(EXISTS ${SOURCE_DIR}/${header})
      set(target "${header}")
    else()
      continue()  # a system or library header
    endif()
    layer_of(${target} target_layer)
    list(FIND allowed "${target_layer}" found)
    if(found EQUAL -1)
      list(APPEND offences "${source} (${layer}) includes ${target} (${target_layer})")
    endif()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " listed)
  message(FATAL_ERROR "Includes across the layers:\n  ${listed}")
endif()
