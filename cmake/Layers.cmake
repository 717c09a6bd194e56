# Which source folders may use which: a folder's files include headers of
# their own folder and of the folders listed for it, and nothing else. The
# check runs when the tree is configured, so an include against the
# direction fails at once, naming the file, the include and what its folder
# may use. README.md's layout table gives the same directions in words.
# tests/, bench/ and fuzz/ may use every folder.
set(OVALYN_LAYERS
  "framework/runtime:"
  "framework/portable:framework/runtime"
  "framework/win32:"
  "framework/system:framework/win32 framework/portable framework/runtime"
  "framework/graphics:framework/win32 framework/portable framework/runtime"
  "framework/ui:framework/graphics framework/system framework/win32 framework/portable framework/runtime"
  "container:framework/runtime"
  "format:framework/portable framework/runtime"
  "skin:framework/ui framework/graphics framework/system framework/win32 framework/portable framework/runtime"
  "launcher:skin container format framework/ui framework/graphics framework/system framework/win32 framework/portable framework/runtime"
  "authoring:container format framework/portable framework/runtime"
  "tools/ctrpack:authoring container format framework/portable framework/runtime"
  "tools/launcher_icon:authoring"
  "designer/model:authoring container format framework/portable framework/runtime"
  "designer/app:designer/model launcher skin authoring container format framework/ui framework/graphics framework/system framework/win32 framework/portable framework/runtime"
  "examples:skin framework/ui framework/graphics framework/system framework/win32 framework/portable framework/runtime"
  "demo:")
# Folders whose code builds without Windows and so never includes windows.h.
set(OVALYN_NO_WINDOWS format container framework/portable designer/model)

function(ovalyn_check_layers root)
  set(folders "")
  foreach(rule IN LISTS OVALYN_LAYERS)
    string(FIND "${rule}" ":" colon)
    string(SUBSTRING "${rule}" 0 ${colon} folder)
    list(APPEND folders "${folder}")
  endforeach()
  set(failures "")
  foreach(rule IN LISTS OVALYN_LAYERS)
    string(FIND "${rule}" ":" colon)
    string(SUBSTRING "${rule}" 0 ${colon} folder)
    math(EXPR start "${colon} + 1")
    string(SUBSTRING "${rule}" ${start} -1 allowed)
    separate_arguments(allowed)
    list(APPEND allowed "${folder}")
    file(GLOB_RECURSE sources RELATIVE "${root}" CONFIGURE_DEPENDS
      "${root}/${folder}/*.cpp" "${root}/${folder}/*.h")
    list(FIND OVALYN_NO_WINDOWS "${folder}" portable)
    foreach(source IN LISTS sources)
      file(STRINGS "${root}/${source}" includes REGEX "^#include [\"<]")
      foreach(line IN LISTS includes)
        if(portable GREATER -1 AND line MATCHES "^#include <windows.h>")
          string(APPEND failures "  ${source}: ${line}: ${folder} builds without Windows\n")
        endif()
        if(NOT line MATCHES "^#include \"([^\"]+)\"")
          continue()
        endif()
        set(target "${CMAKE_MATCH_1}")
        # The longest known folder the included file lies in.
        set(owner "")
        foreach(candidate IN LISTS folders)
          string(LENGTH "${candidate}" length)
          string(LENGTH "${owner}" best)
          if(target MATCHES "^${candidate}/" AND length GREATER best)
            set(owner "${candidate}")
          endif()
        endforeach()
        if(owner STREQUAL "" OR owner IN_LIST allowed)
          continue()
        endif()
        list(JOIN allowed ", " may)
        string(APPEND failures "  ${source}: ${line}: ${folder} may use only ${may}\n")
      endforeach()
    endforeach()
  endforeach()
  if(failures)
    message(FATAL_ERROR "Includes against the folders' directions (cmake/Layers.cmake):\n${failures}")
  endif()
endfunction()
