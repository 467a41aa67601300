# Installation: libkorhtml.so, the headers a host includes, a CMake package (korhtml::korhtml) and a
# pkg-config file (korhtml.pc).
include(CMakePackageConfigHelpers)

# The headers of hosts: the exported ones and the framework, tag tree, image and map headers those
# include, all under include/korhtml/, with their includes of each other given that prefix so that one
# include directory serves. Private headers (*_p.h) and the rest of the source tree stay out.
file(GLOB exported CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/include/korhtml
     ${CMAKE_SOURCE_DIR}/include/korhtml/*.h)
set(KORHTML_HOST_HEADERS)
foreach(header ${exported})
  list(APPEND KORHTML_HOST_HEADERS "include/korhtml/${header}|${header}")
endforeach()
foreach(header
    platform/afx/afx.h platform/afx/afxcoll.h platform/afx/afxobj.h platform/afx/afxstr.h
    platform/afx/afxtypes.h platform/gdi/gdi.h platform/gdi/codepage.h platform/win/win.h
    platform/win/wintypes.h platform/win/winview.h platform/win/winui.h platform/win/winqt.h
    kortag/kortag.h korgr/ImageDax.h maps/MapManager.h)
  list(APPEND KORHTML_HOST_HEADERS "${header}|${header}")
endforeach()

set(exported_dir ${CMAKE_BINARY_DIR}/exported/korhtml)
set(copies)
foreach(entry ${KORHTML_HOST_HEADERS})
  string(REPLACE "|" ";" pair "${entry}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  set(copy ${exported_dir}/${target})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_SOURCE_DIR}/${source} -DOUT=${copy}
            -P ${CMAKE_SOURCE_DIR}/cmake/ExportHeader.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/${source} ${CMAKE_SOURCE_DIR}/cmake/ExportHeader.cmake
    COMMENT "Exporting header ${target}" VERBATIM)
  list(APPEND copies ${copy})
  get_filename_component(subdir ${target} DIRECTORY)
  install(FILES ${copy} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korhtml/${subdir})
endforeach()
add_custom_target(korhtml_headers ALL DEPENDS ${copies})
add_dependencies(korhtml korhtml_headers)

install(TARGETS korhtml EXPORT korhtmlTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/korhtml)
install(EXPORT korhtmlTargets NAMESPACE korhtml:: FILE korhtmlTargets.cmake DESTINATION ${config_dir})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/korhtmlConfig.cmake.in
  ${CMAKE_BINARY_DIR}/korhtmlConfig.cmake INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/korhtmlConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/korhtmlConfig.cmake ${CMAKE_BINARY_DIR}/korhtmlConfigVersion.cmake
        DESTINATION ${config_dir})

# The pkg-config file finds the prefix from where it lies, so the tree may be installed anywhere.
file(RELATIVE_PATH KORHTML_PC_TO_PREFIX ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig
     ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" KORHTML_PC_TO_PREFIX "${KORHTML_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/korhtml.pc.in ${CMAKE_BINARY_DIR}/korhtml.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/korhtml.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
