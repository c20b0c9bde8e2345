# diancai_version: the header BuildVersion.h for the programs' --version and --help, with the
# project's version and the commit the tree was built from. Written at every build, so that a
# commit made since the last configure shows; rewritten only when the line changes, so that only
# the few files that print it recompile.
find_package(Git QUIET)
set(version_dir ${CMAKE_BINARY_DIR}/version)
add_custom_target(diancai_version_header
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
    -DGIT=${GIT_EXECUTABLE} -DOUTPUT=${version_dir}/BuildVersion.h
    -P ${CMAKE_CURRENT_LIST_DIR}/WriteBuildVersion.cmake
  BYPRODUCTS ${version_dir}/BuildVersion.h
  COMMENT "Version and commit"
  VERBATIM)
add_library(diancai_version INTERFACE)
target_include_directories(diancai_version INTERFACE ${version_dir})
add_dependencies(diancai_version diancai_version_header)
