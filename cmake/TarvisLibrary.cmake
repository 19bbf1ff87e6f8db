# tarvis_library(<name> [HEADERS <h...>] [SOURCES <cpp...>] [LINKS <libs...>])
#
# A static library that publishes only its own headers, under the name of its folder
# ("tariff/Zone.h"; a header in a subfolder keeps its path: "journal/window/JournalWindow.h"):
# each library gets an include tree of its own in the build directory with links to its
# headers, so a file can include a header only when its target links the library that owns it.
# The include paths thus follow the dependencies between the libraries.
function(tarvis_library name)
  cmake_parse_arguments(ARG "" "" "HEADERS;SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_HEADERS} ${ARG_SOURCES})
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(root "${CMAKE_BINARY_DIR}/include/${name}")
  file(REMOVE_RECURSE "${root}")
  file(MAKE_DIRECTORY "${root}/${folder}")
  foreach(header IN LISTS ARG_HEADERS)
    get_filename_component(subfolder "${header}" DIRECTORY)
    file(MAKE_DIRECTORY "${root}/${folder}/${subfolder}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}/${header}" "${root}/${folder}/${header}"
         SYMBOLIC)
  endforeach()
  target_include_directories(${name} PUBLIC "${root}")
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  # For the check that docs/architecture.md has a row for every library (tests/).
  set_property(GLOBAL APPEND PROPERTY tarvis_libraries ${name})
endfunction()

# All libraries a target links, directly or through others, as the link graph of this project
# gives them (imported targets such as Qt's included).
function(tarvis_link_closure target out)
  set(seen "")
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      # Generator expressions such as $<LINK_ONLY:...> hold a target name too.
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(NOT link MATCHES "^\\$<")
        list(APPEND todo ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Stops the configuration when one of the targets reaches the library `link` through its links.
function(tarvis_require_no_link link)
  foreach(target IN LISTS ARGN)
    tarvis_link_closure(${target} closure)
    if(link IN_LIST closure)
      message(FATAL_ERROR "${target} must not link ${link}, but its links reach it: ${closure}")
    endif()
  endforeach()
endfunction()

# Stops the configuration when one of the targets reaches Qt Widgets through its links: the
# tariff, the log file code, the calculation and the command line work without any window.
function(tarvis_require_no_widgets)
  tarvis_require_no_link(Qt6::Widgets ${ARGN})
endfunction()
