# Writes OUTPUT, a header defining DIANCAI_VERSION, DIANCAI_COMMIT and DIANCAI_VERSION_LINE.
# The commit is "git describe" of SOURCE_DIR ("-dirty" with uncommitted changes), or "unknown"
# when SOURCE_DIR is not the top of a git checkout (an unpacked source archive inside some other
# repository must not report that repository's commit). No optional locks: a build never holds
# up a git command run meanwhile.
#   cmake -DSOURCE_DIR=DIR -DVERSION=X.Y.Z -DGIT=PATH -DOUTPUT=FILE -P WriteBuildVersion.cmake
set(commit unknown)
if(GIT)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --show-toplevel
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE_DIR}" source)
  endif()
  if(NOT failed AND top STREQUAL source)
    execute_process(
      COMMAND ${GIT} --no-optional-locks -C ${SOURCE_DIR} describe --always --dirty --abbrev=12 --exclude=*
      OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    if(NOT failed AND described)
      set(commit ${described})
    endif()
  endif()
endif()
file(WRITE ${OUTPUT}.new
  "// Written by the build (cmake/WriteBuildVersion.cmake).\n"
  "#pragma once\n"
  "#define DIANCAI_VERSION \"${VERSION}\"\n"
  "#define DIANCAI_COMMIT \"${commit}\"\n"
  "#define DIANCAI_VERSION_LINE DIANCAI_VERSION \" (commit \" DIANCAI_COMMIT \")\"\n")
configure_file(${OUTPUT}.new ${OUTPUT} COPYONLY)
file(REMOVE ${OUTPUT}.new)
