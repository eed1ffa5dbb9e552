# SPDX-License-Identifier: GPL-3.0-or-later
# The one rule that puts a file of src/ (or its test in tests/) in a layer. Everything
# that needs to know the layers asks here: the libraries in src/, the test programs in
# tests/, the core check (core_has_no_qt) and scripts/lint, which read the list written
# to <build>/layers/core.txt.
#
#   app       src/app/: the programs' entry points and the command-line commands
#   gui       src/ui/, src/panel/, and in every other folder the files named *_window,
#             *_widget, *_dialog or *_qt (.cpp or .h): the windows, on Qt Widgets
#   platform  link/hidapi_transport, link/hidraw_monitor: the real meter through hidapi
#             and udev (no Qt, but system libraries the core does not link)
#   core      everything else: standard C++ only, no Qt, no GUI or platform header
#
# `path` is relative to src/ (or to tests/ with the "_test" suffix dropped).
function(orvane_layer_of path out)
  if(path MATCHES "^app/")
    set(layer app)
  elseif(path MATCHES "^(ui|panel)/" OR path MATCHES "_(window|widget|dialog|qt)\\.(cpp|h)$")
    set(layer gui)
  elseif(path MATCHES "^link/(hidapi_transport|hidraw_monitor)\\.(cpp|h)$")
    set(layer platform)
  else()
    set(layer core)
  endif()
  set(${out} ${layer} PARENT_SCOPE)
endfunction()

# Sorts every .cpp and .h below `root` into <prefix>_<layer>_sources (absolute paths).
function(orvane_sort_by_layer root prefix)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${root} ${root}/*.cpp ${root}/*.h)
  foreach(layer app gui platform core)
    set(${layer})
  endforeach()
  foreach(f IN LISTS files)
    string(REGEX REPLACE "_test\\.cpp$" ".cpp" as_source "${f}")
    orvane_layer_of("${as_source}" layer)
    list(APPEND ${layer} ${root}/${f})
  endforeach()
  foreach(layer app gui platform core)
    set(${prefix}_${layer}_sources ${${layer}} PARENT_SCOPE)
  endforeach()
endfunction()
