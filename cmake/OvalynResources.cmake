# ovalyn_add_resources(<target> ICON <file.ico> DESCRIPTION <text>)
# Gives a Windows program of the project its resources: the icon (id 1, the
# one Explorer shows), a version block and an application manifest (id 1).
# The version is the project's (project(VERSION) in the top CMakeLists.txt);
# the file names come from the target's output name.
#
# The manifest runs the program as the invoking user (a launcher renamed
# Setup.exe must not trip Windows' installer detection and ask for
# administrator rights) and names the Windows versions it was tested with. It
# does not ask for Common Controls 6 (the themed look would change the combo
# box and memo drawn over the menu's picture) and does not declare DPI
# awareness, so Windows scales such a window as a whole and the controls stay
# where the picture expects them.
set(OVALYN_RESOURCE_TEMPLATES ${CMAKE_CURRENT_LIST_DIR}/resources)
set(OVALYN_COMPANY "The Ovalyn Launcher developers")
set(OVALYN_PRODUCT "Ovalyn Launcher")
set(OVALYN_COPYRIGHT "Copyright (C) 2026 The Ovalyn Launcher developers")

function(ovalyn_add_resources target)
  cmake_parse_arguments(R "" "ICON;DESCRIPTION" "" ${ARGN})
  if(NOT R_ICON OR NOT R_DESCRIPTION)
    message(FATAL_ERROR "ovalyn_add_resources(${target}): ICON and DESCRIPTION are required")
  endif()
  if(NOT IS_ABSOLUTE "${R_ICON}")
    set(R_ICON ${CMAKE_CURRENT_SOURCE_DIR}/${R_ICON})
  endif()
  if(NOT EXISTS "${R_ICON}")
    message(FATAL_ERROR "ovalyn_add_resources(${target}): icon ${R_ICON} does not exist")
  endif()

  # Four numbers, as the version block and the manifest's identity need them.
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(OVALYN_VERSION_${part} ${PROJECT_VERSION_${part}})
    if("${OVALYN_VERSION_${part}}" STREQUAL "")
      set(OVALYN_VERSION_${part} 0)
    endif()
  endforeach()
  set(OVALYN_VERSION_TEXT
      "${OVALYN_VERSION_MAJOR}.${OVALYN_VERSION_MINOR}.${OVALYN_VERSION_PATCH}.${OVALYN_VERSION_TWEAK}")

  get_target_property(_name ${target} OUTPUT_NAME)
  if(NOT _name)
    set(_name ${target})
  endif()
  set(OVALYN_INTERNAL_NAME ${_name})
  set(OVALYN_ORIGINAL_FILENAME ${_name}.exe)
  set(OVALYN_DESCRIPTION ${R_DESCRIPTION})
  set(OVALYN_ICON_FILE ${R_ICON})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(OVALYN_MANIFEST_ARCH amd64)
  else()
    set(OVALYN_MANIFEST_ARCH x86)
  endif()

  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(OVALYN_MANIFEST_FILE ${_dir}/${_name}.exe.manifest)
  configure_file(${OVALYN_RESOURCE_TEMPLATES}/Application.manifest.in ${OVALYN_MANIFEST_FILE} @ONLY)
  configure_file(${OVALYN_RESOURCE_TEMPLATES}/Program.rc.in ${_dir}/${_name}.rc @ONLY)
  target_sources(${target} PRIVATE ${_dir}/${_name}.rc)
  # windres does not see the files the script names: a new icon or manifest
  # must still rebuild the resources.
  set_source_files_properties(${_dir}/${_name}.rc PROPERTIES
    OBJECT_DEPENDS "${R_ICON};${OVALYN_MANIFEST_FILE}")
endfunction()
