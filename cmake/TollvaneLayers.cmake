# The program's layers as the build sees them: one library per folder of src/,
# made from that folder's files alone, linking only the layers it may use. A
# layer's headers ("ui/Timer.h") are found through an include root that holds
# its own folder and nothing else, so a file that includes a layer its target
# does not link does not compile.
#
# tollvane_layer(<name> [PURE <files...>] [WINDOWS <files...>] [USES <layers...>] [LIBS <libraries...>])
#   Called from the layer's own folder.
#   PURE:    the platform-free part, <name>_pure (no <windows.h>); it builds natively too.
#   WINDOWS: the rest, <name>, in Windows builds only (every layer has some); it
#            links its own platform-free part.
#   USES:    the layers it may include, each linked in both parts where that part exists.
#   LIBS:    other libraries it links: the resource identifiers, the Windows DLLs it calls.

# tollvane_tidy(<target>): clang-tidy over the target's files, where the build asks for it.
function(tollvane_tidy target)
  if(TOLLVANE_CLANG_TIDY AND NOT WIN32)
    set_target_properties(${target} PROPERTIES CXX_CLANG_TIDY ${TOLLVANE_CLANG_TIDY_PROGRAM})
  endif()
endfunction()

function(tollvane_layer name)
  cmake_parse_arguments(L "" "" "PURE;WINDOWS;USES;LIBS" ${ARGN})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  set(pure_uses)
  set(windows_uses)
  foreach(used ${L_USES})
    if(TARGET ${used}_pure)
      list(APPEND pure_uses ${used}_pure)
    endif()
    if(WIN32)
      list(APPEND windows_uses ${used})
    endif()
  endforeach()
  if(L_PURE)
    add_library(${name}_pure STATIC ${L_PURE})
    target_include_directories(${name}_pure PUBLIC ${root})
    target_compile_options(${name}_pure PRIVATE ${TOLLVANE_WARNINGS})
    target_link_libraries(${name}_pure PUBLIC ${pure_uses})
    tollvane_tidy(${name}_pure)
  endif()
  if(WIN32)
    add_library(${name} STATIC ${L_WINDOWS})
    target_compile_options(${name} PRIVATE ${TOLLVANE_WARNINGS})
    # <windows.h> and the standard library are most of each file's compile
    # time: every layer reuses the compiled header of the lowest one.
    if(TARGET base AND NOT name STREQUAL base)
      target_precompile_headers(${name} REUSE_FROM base)
    else()
      target_precompile_headers(${name} PRIVATE <windows.h> <string> <vector> <memory> <functional>)
    endif()
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${windows_uses} ${L_LIBS})
    if(L_PURE)
      target_link_libraries(${name} PUBLIC ${name}_pure)
    endif()
  endif()
endfunction()
