# A deliverable program: its sources and resource script (which names its manifest, the shared
# version resource and its pictures), linked with the shared Win32 layer and written stripped
# into the application folder.
#   zelvo_program(TARGET RC script.rc MANIFEST file SOURCES ... LIBRARIES ... [RC_DEPENDS ...])
function(zelvo_program target)
  cmake_parse_arguments(ARG "" "RC;MANIFEST" "SOURCES;LIBRARIES;RC_DEPENDS" ${ARGN})
  add_executable(${target} WIN32 ${ARG_SOURCES} ${ARG_RC})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} zelvo_win)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${ZELVO_ASSET_DIR}
    ${PROJECT_SOURCE_DIR}/shared)
  add_dependencies(${target} zelvo_assets)
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_MANIFEST};${PROJECT_SOURCE_DIR}/shared/version.rc;${ARG_RC_DEPENDS}")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELVO_DIST_DIR})
  target_link_options(${target} PRIVATE -s)
endfunction()
