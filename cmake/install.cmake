# cmake --install puts the libraries, the public headers (include/libFLT),
# the plug-in, fltconvert and the package configuration in place, for
# find_package(libFLT) and target_link_libraries(app libFLT::fltHost).
include(CMakePackageConfigHelpers)

install(TARGETS fltHost fltParser fltConverter fltPlugin fltconvert
  EXPORT libFLTTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/libFLT)

set(FLT_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/libFLT)
install(EXPORT libFLTTargets NAMESPACE libFLT:: DESTINATION ${FLT_PACKAGE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/libFLTConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/libFLTConfig.cmake INSTALL_DESTINATION ${FLT_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/libFLTConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/libFLTConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/libFLTConfigVersion.cmake DESTINATION ${FLT_PACKAGE_DIR})
