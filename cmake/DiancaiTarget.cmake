# Flags shared by every target of our own: warnings as errors, optional sanitizers.
if(DIANCAI_SANITIZE)
  add_compile_options(-fsanitize=${DIANCAI_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${DIANCAI_SANITIZE})
else()
  # Debian's hardening, as dpkg-buildflags gives a package: a stack guard, C library calls checked
  # where the optimiser knows the sizes, relocations read-only before main runs. Not under the
  # sanitizers, which check those calls themselves.
  add_compile_options(-fstack-protector-strong)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()

function(diancai_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(DIANCAI_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 at -O3 reports overlapping copies inside std::string's operator+ that cannot happen
  # (GCC bug 105329); the Release build of the packages would stop on it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-Wno-restrict>)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_BYTEARRAY QT_NO_URL_CAST_FROM_STRING)
endfunction()

# diancai_library(name SOURCES ... DEPS ...): one static library per layer.
function(diancai_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  diancai_target(${name})
endfunction()

# diancai_test(name SOURCES ... DEPS ...): one QtTest executable, registered with CTest.
# Tests run headless with a pinned locale and time zone and find the built resources.
function(diancai_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  diancai_target(${name})
  add_dependencies(${name} diancai_resources)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=UTC;DIANCAI_RESOURCES=${DIANCAI_RESOURCE_DIR}")
endfunction()
