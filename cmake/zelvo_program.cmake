# A deliverable program: its sources and resource script (which names its manifest, the shared
# version resource and its pictures), linked with the shared Win32 layer and written stripped
# into the application folder. The manifest takes the release's version when configured.
#   zelvo_program(TARGET RC script.rc MANIFEST file SOURCES ... LIBRARIES ... [RC_DEPENDS ...])
function(zelvo_program target)
  cmake_parse_arguments(ARG "" "RC;MANIFEST" "SOURCES;LIBRARIES;RC_DEPENDS" ${ARGN})
  set(manifest_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}-manifest")
  configure_file(${ARG_MANIFEST} "${manifest_dir}/${ARG_MANIFEST}" @ONLY)
  add_executable(${target} WIN32 ${ARG_SOURCES} ${ARG_RC}
    ${PROJECT_SOURCE_DIR}/shared/runtime_aborts.cpp)
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} zelvo_win)
  # The configured manifest comes first, before the source folder's template of it.
  target_include_directories(${target} PRIVATE "${manifest_dir}" "${CMAKE_BINARY_DIR}/generated"
    ${CMAKE_CURRENT_SOURCE_DIR} ${ZELVO_ASSET_DIR} ${PROJECT_SOURCE_DIR}/shared)
  add_dependencies(${target} zelvo_assets)
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS
    "${manifest_dir}/${ARG_MANIFEST};${PROJECT_SOURCE_DIR}/shared/version.rc;${CMAKE_BINARY_DIR}/generated/zelvo_version.h;${ARG_RC_DEPENDS}")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELVO_DIST_DIR})
  target_link_options(${target} PRIVATE -s -flto)
endfunction()
