# libjpeg: Debian's -dev package in the host tree; in the Windows tree Debian's
# libjpeg-turbo source (fetched by scripts/bootstrap into build/deps), cross-built
# with this project's toolchain file as a static library.
if(OVALYN_WIN32)
  file(GLOB _jpeg_src_dirs ${CMAKE_SOURCE_DIR}/build/deps/libjpeg-turbo-*)
  list(LENGTH _jpeg_src_dirs _n)
  if(_n EQUAL 0)
    message(FATAL_ERROR "libjpeg-turbo source missing under build/deps: run scripts/bootstrap")
  endif()
  list(GET _jpeg_src_dirs 0 JPEG_SOURCE_DIR)
  include(ExternalProject)
  set(_jpeg_prefix ${CMAKE_BINARY_DIR}/libjpeg-turbo)
  ExternalProject_Add(libjpeg_turbo_ext
    SOURCE_DIR ${JPEG_SOURCE_DIR}
    BINARY_DIR ${_jpeg_prefix}/build
    INSTALL_DIR ${_jpeg_prefix}/install
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
      -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
      -DCMAKE_BUILD_TYPE=Release
      -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
      -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target jpeg-static
    INSTALL_COMMAND ${CMAKE_COMMAND} -E make_directory <INSTALL_DIR>/include <INSTALL_DIR>/lib
      COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/libjpeg.a <INSTALL_DIR>/lib/libjpeg.a
      COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/jconfig.h <SOURCE_DIR>/jpeglib.h
              <SOURCE_DIR>/jmorecfg.h <SOURCE_DIR>/jerror.h <INSTALL_DIR>/include/
    BUILD_BYPRODUCTS ${_jpeg_prefix}/install/lib/libjpeg.a
  )
  file(MAKE_DIRECTORY ${_jpeg_prefix}/install/include)
  add_library(jpeg_lib STATIC IMPORTED GLOBAL)
  set_target_properties(jpeg_lib PROPERTIES
    IMPORTED_LOCATION ${_jpeg_prefix}/install/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${_jpeg_prefix}/install/include)
  add_dependencies(jpeg_lib libjpeg_turbo_ext)
else()
  find_package(JPEG REQUIRED)
  add_library(jpeg_lib INTERFACE IMPORTED GLOBAL)
  target_link_libraries(jpeg_lib INTERFACE JPEG::JPEG)
endif()
