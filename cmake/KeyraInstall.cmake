# `cmake --install` puts the two public headers and the engine's static libraries
# where a client's find_package(Keyra) finds them, as the target Keyra::keyra.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(keyra_libraries)
foreach(lib keyra_dsp keyra_resample keyra_musictheory keyra_features keyra_engine)
  if(TARGET ${lib})
    list(APPEND keyra_libraries ${lib})
  endif()
endforeach()
set_target_properties(keyra PROPERTIES EXPORT_NAME keyra)

install(TARGETS keyra ${keyra_libraries}
  EXPORT KeyraTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES engine/include/KeyraIf.h engine/include/KeyraResultIf.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/keyra)
target_include_directories(keyra SYSTEM INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/keyra>)

install(EXPORT KeyraTargets NAMESPACE Keyra:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Keyra)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/KeyraConfig.cmake
  "include(\${CMAKE_CURRENT_LIST_DIR}/KeyraTargets.cmake)\n")
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/KeyraConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/KeyraConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/KeyraConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Keyra)
