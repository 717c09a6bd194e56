# libpng with zlib, the target png_lib.
# - Windows tree: Debian's libpng1.6 and zlib source packages (fetched by
#   scripts/bootstrap into build/deps), cross-built with this project's
#   toolchain file as static libraries.
# - Host tree with the fuzzers (clang and the sanitizers): the same libpng
#   source built with AddressSanitizer and coverage instrumentation, so the
#   PNG fuzz target sees into libpng and its writes into the caller's rows are
#   checked; zlib is Debian's (its source package cannot configure on Linux:
#   the Debian copy lacks the Windows resource file its CMakeLists names).
# - Any other host tree: Debian's libpng-dev and zlib1g-dev.
set(_png_from_source OFF)
if(OVALYN_WIN32)
  set(_png_from_source ON)
  set(_png_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
elseif(OVALYN_FUZZ AND OVALYN_SANITIZE AND CMAKE_C_COMPILER_ID MATCHES "Clang")
  set(_png_from_source ON)
  # No UndefinedBehaviorSanitizer: libpng's own arithmetic is not what is
  # under test, and a report from it would stop every fuzz run.
  set(_png_args -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
      "-DCMAKE_C_FLAGS=-fsanitize=address,fuzzer-no-link -fno-omit-frame-pointer -g")
  find_package(ZLIB REQUIRED)
endif()

if(_png_from_source)
  foreach(_pkg zlib libpng1.6)
    file(GLOB _dirs ${CMAKE_SOURCE_DIR}/build/deps/${_pkg}-*)
    list(FILTER _dirs EXCLUDE REGEX "\\.(tar|dsc|diff|orig)")
    list(LENGTH _dirs _n)
    if(_n EQUAL 0)
      message(FATAL_ERROR "${_pkg} source missing under build/deps: run scripts/bootstrap")
    endif()
    list(GET _dirs 0 _dir)
    string(REPLACE "." "_" _var ${_pkg})
    set(${_var}_SOURCE_DIR ${_dir})
  endforeach()
  include(ExternalProject)
  if(OVALYN_WIN32)
    set(_zlib_prefix ${CMAKE_BINARY_DIR}/zlib)
    set(_zlib_library ${_zlib_prefix}/build/libzlibstatic.a)
    ExternalProject_Add(zlib_ext
      SOURCE_DIR ${zlib_SOURCE_DIR}
      BINARY_DIR ${_zlib_prefix}/build
      CMAKE_ARGS ${_png_args} -DCMAKE_BUILD_TYPE=Release
      BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target zlibstatic
      INSTALL_COMMAND ""
      BUILD_BYPRODUCTS ${_zlib_library}
    )
    add_library(zlib_lib STATIC IMPORTED GLOBAL)
    set_target_properties(zlib_lib PROPERTIES IMPORTED_LOCATION ${_zlib_library})
    add_dependencies(zlib_lib zlib_ext)
    # zlib's headers are in two folders (zconf.h is generated in its build
    # folder); "|" stands for the list separator inside the argument.
    set(_zlib_args -DZLIB_LIBRARY=${_zlib_library}
                   -DZLIB_INCLUDE_DIR=${zlib_SOURCE_DIR}|${_zlib_prefix}/build)
    set(_zlib_ext zlib_ext)
  else()
    add_library(zlib_lib INTERFACE IMPORTED GLOBAL)
    target_link_libraries(zlib_lib INTERFACE ZLIB::ZLIB m)
    set(_zlib_args "")
    set(_zlib_ext "")
  endif()
  set(_png_prefix ${CMAKE_BINARY_DIR}/libpng)
  ExternalProject_Add(libpng_ext
    SOURCE_DIR ${libpng1_6_SOURCE_DIR}
    BINARY_DIR ${_png_prefix}/build
    LIST_SEPARATOR |
    CMAKE_ARGS ${_png_args} ${_zlib_args}
      -DCMAKE_BUILD_TYPE=Release
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target png_static
    INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory ${_png_prefix}/include
      COMMAND ${CMAKE_COMMAND} -E copy <SOURCE_DIR>/png.h <SOURCE_DIR>/pngconf.h
              <BINARY_DIR>/pnglibconf.h ${_png_prefix}/include/
    BUILD_BYPRODUCTS ${_png_prefix}/build/libpng16.a
    DEPENDS ${_zlib_ext}
  )
  file(MAKE_DIRECTORY ${_png_prefix}/include)
  add_library(png_lib STATIC IMPORTED GLOBAL)
  set_target_properties(png_lib PROPERTIES
    IMPORTED_LOCATION ${_png_prefix}/build/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${_png_prefix}/include
    INTERFACE_LINK_LIBRARIES zlib_lib)
  add_dependencies(png_lib libpng_ext)
else()
  find_package(PNG REQUIRED)
  add_library(png_lib INTERFACE IMPORTED GLOBAL)
  target_link_libraries(png_lib INTERFACE PNG::PNG)
endif()
