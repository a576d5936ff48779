# A deliverable program: its sources and resource script (which names its manifest, the shared
# version resource and its pictures), built with the shared Win32 layer and written stripped
# into the application folder. The manifest takes the release's version when configured.
#   zelvo_program(TARGET RC script.rc MANIFEST file SOURCES ... LIBRARIES ... [RC_DEPENDS ...])
#
# The program is optimised across all its files at link time. The linker cannot mix such code
# with the plain code of the same libraries that the tests link, so each product library gets a
# twin built for link-time optimisation (NAME_lto), which the programs link instead.

# The programs ask nothing of types at run time: no type information.
set(ZELVO_PROGRAM_OPTIONS -fno-rtti)

# The link-time optimised twin of a product library, and of the product libraries it links.
# A library of headers only (INTERFACE) needs none: zelvo_lto_name gives its own name.
function(zelvo_lto_name library out)
  get_target_property(type ${library} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(${out} ${library} PARENT_SCOPE)
  else()
    zelvo_lto_library(${library})
    set(${out} ${library}_lto PARENT_SCOPE)
  endif()
endfunction()

function(zelvo_lto_library library)
  if(TARGET ${library}_lto)
    return()
  endif()
  get_target_property(dir ${library} SOURCE_DIR)
  get_target_property(sources ${library} SOURCES)
  list(TRANSFORM sources PREPEND "${dir}/" REGEX "^[^/]")
  add_library(${library}_lto STATIC ${sources})
  set_target_properties(${library}_lto PROPERTIES INTERPROCEDURAL_OPTIMIZATION ON)
  foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES COMPILE_OPTIONS
                   COMPILE_DEFINITIONS INTERFACE_COMPILE_DEFINITIONS)
    get_target_property(values ${library} ${property})
    if(values)
      set_property(TARGET ${library}_lto PROPERTY ${property} ${values})
    endif()
  endforeach()
  target_compile_options(${library}_lto PRIVATE ${ZELVO_PROGRAM_OPTIONS})
  get_target_property(links ${library} LINK_LIBRARIES)
  foreach(link ${links})
    if(TARGET ${link})
      zelvo_lto_name(${link} twin)
      target_link_libraries(${library}_lto PUBLIC ${twin})
    elseif(link)
      target_link_libraries(${library}_lto PUBLIC ${link})
    endif()
  endforeach()
endfunction()

function(zelvo_program target)
  cmake_parse_arguments(ARG "" "RC;MANIFEST" "SOURCES;LIBRARIES;RC_DEPENDS" ${ARGN})
  set(libraries)
  foreach(library ${ARG_LIBRARIES} zelvo_product)
    if(TARGET ${library})
      zelvo_lto_name(${library} twin)
      list(APPEND libraries ${twin})
    else()
      list(APPEND libraries ${library})
    endif()
  endforeach()

  set(manifest_dir "${CMAKE_CURRENT_BINARY_DIR}/${target}-manifest")
  configure_file(${ARG_MANIFEST} "${manifest_dir}/${ARG_MANIFEST}" @ONLY)
  add_executable(${target} WIN32 ${ARG_SOURCES} ${ARG_RC}
    ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/runtime_aborts.cpp)
  target_link_libraries(${target} PRIVATE ${libraries})
  # The configured manifest comes first, before the source folder's template of it.
  target_include_directories(${target} PRIVATE "${manifest_dir}" "${CMAKE_BINARY_DIR}/generated"
    ${CMAKE_CURRENT_SOURCE_DIR} ${ZELVO_ASSET_DIR})
  target_compile_options(${target} PRIVATE ${ZELVO_PROGRAM_OPTIONS})
  add_dependencies(${target} zelvo_assets)
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS
    "${manifest_dir}/${ARG_MANIFEST};${PROJECT_SOURCE_DIR}/shared/product/version.rc;${CMAKE_BINARY_DIR}/generated/zelvo_version.h;${ARG_RC_DEPENDS}")
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZELVO_DIST_DIR}
    INTERPROCEDURAL_OPTIMIZATION ON)
  # One partition for the link-time optimisation: these programs are small, and GCC 12 stops with
  # an internal error on the icon changer when it splits the program into several.
  target_link_options(${target} PRIVATE -s -flto-partition=one)
endfunction()
