# Debian's hardening for everything built here: stack protector, fortified libc calls, format
# checks, stack-clash and control-flow protection, a read-only GOT bound at start (relro, now)
# and a position-independent executable. The flags come from Debian's own dpkg-buildflags
# (hardening=+all) when it is installed, else the same flags spelt out; optimisation and debug
# flags stay the build type's business.
#
# Only for Linux programs: the browser's and Windows' linkers know no -z relro. Not in a sanitizer
# tree, which is never shipped: AddressSanitizer checks what the fortified copies and the stack
# protector guard, in its own way. No _FORTIFY_SOURCE where the build type does not optimise (Debug,
# or none named): it does nothing there (bookworm's glibc ignores it at -O0; older ones warn, which
# -Werror would turn into an error).

option(BRANNOCH_HARDENING "Build with Debian's hardening flags" ON)
if(NOT BRANNOCH_HARDENING OR BRANNOCH_SANITIZE OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

find_program(BRANNOCH_DPKG_BUILDFLAGS dpkg-buildflags)
set(BRANNOCH_HARDENING_COMPILE "")
set(BRANNOCH_HARDENING_LINK "")
if(BRANNOCH_DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        ${BRANNOCH_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed: ${failed}")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # -g, -O2 and the build folder's -ffile-prefix-map are not hardening.
    list(FILTER flags EXCLUDE REGEX "^(-g|-O.*|-ffile-prefix-map=.*|-fdebug-prefix-map=.*)$")
    if(kind STREQUAL LDFLAGS)
      list(APPEND BRANNOCH_HARDENING_LINK ${flags})
    else()
      list(APPEND BRANNOCH_HARDENING_COMPILE ${flags})
    endif()
  endforeach()
else()
  set(BRANNOCH_HARDENING_COMPILE -Wdate-time -D_FORTIFY_SOURCE=2 -fstack-protector-strong
    -Wformat -Werror=format-security)
  set(BRANNOCH_HARDENING_LINK -Wl,-z,relro -Wl,-z,now)
endif()
# Bookworm's dpkg (1.21) does not give these two yet; later ones do, under the same names.
include(CheckCXXCompilerFlag)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "BRANNOCH_HAS${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported} AND NOT flag IN_LIST BRANNOCH_HARDENING_COMPILE)
    list(APPEND BRANNOCH_HARDENING_COMPILE ${flag})
  endif()
endforeach()

# _FORTIFY_SOURCE only where the build type optimises.
set(BRANNOCH_OPTIMISED "$<OR:$<CONFIG:Release>,$<CONFIG:RelWithDebInfo>,$<CONFIG:MinSizeRel>>")
list(TRANSFORM BRANNOCH_HARDENING_COMPILE
  REPLACE "^(-D_FORTIFY_SOURCE=.*)$" "$<${BRANNOCH_OPTIMISED}:\\1>")
add_compile_options(${BRANNOCH_HARDENING_COMPILE})
add_link_options(${BRANNOCH_HARDENING_LINK})
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
message(STATUS "Hardening: ${BRANNOCH_HARDENING_COMPILE} ${BRANNOCH_HARDENING_LINK} -fPIE -pie")
