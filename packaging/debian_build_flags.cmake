# Every build compiles and links with the flags a Debian package is built
# with, all hardening features on (dpkg-buildflags with hardening=+all: the
# stack protector, fortified C library calls, format-string checks,
# read-only relocations bound at start-up; position-independent executables
# are the compiler's default), so ./run, ./test and the package build the
# same programs. The build type still chooses the optimisation and the debug
# information. Sanitizer and fuzzing builds keep their own instrumentation,
# which fortified calls would hide from.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT (CELVARO_SANITIZE OR CELVARO_THREAD_SANITIZE OR CELVARO_FUZZ))
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O.*|g)$")
    if(kind STREQUAL LDFLAGS)
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
