# Each subsystem folder's files go into one of three lists:
#   CORE     portable code that needs only bytes: built natively (tested, fuzzed) and into the player
#   WINDOWS  Win32 code of the player
#   NATIVE   the native side of the two platform seams of the core (GDI objects and notices)
function(quiz_sources kind)
  foreach(file IN LISTS ARGN)
    set_property(GLOBAL APPEND PROPERTY QUIZ_${kind}_SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/${file}")
  endforeach()
endfunction()

# A subsystem folder's sources by their names: *_win.cpp are WINDOWS, *_native.cpp are NATIVE,
# every other .cpp file is CORE. Files named after EXCLUDE are left for the caller.
function(quiz_subsystem)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "EXCLUDE")
  file(GLOB all CONFIGURE_DEPENDS RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(arg_EXCLUDE)
    list(REMOVE_ITEM all ${arg_EXCLUDE})
  endif()
  set(core "")
  set(windows "")
  set(native "")
  foreach(file IN LISTS all)
    if(file MATCHES "_win\\.cpp$")
      list(APPEND windows ${file})
    elseif(file MATCHES "_native\\.cpp$")
      list(APPEND native ${file})
    else()
      list(APPEND core ${file})
    endif()
  endforeach()
  quiz_sources(CORE ${core})
  quiz_sources(WINDOWS ${windows})
  quiz_sources(NATIVE ${native})
endfunction()

function(quiz_get_sources kind out)
  get_property(files GLOBAL PROPERTY QUIZ_${kind}_SOURCES)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Common flags. Every text the program shows is written in UTF-8 in the sources and stored in
# the Windows ANSI code page (1252) in the binaries, natively too, so that tests see the bytes
# the player uses. clang only knows UTF-8 here; the fuzz build keeps UTF-8 literals.
function(quiz_common_options target)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-missing-field-initializers)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fexec-charset=CP1252 -Werror)
  endif()
endfunction()

# The test data the repository carries; a file that is missing is a configure error, not a
# failure half-way through a build or a test run.
set(QUIZ_PNGSUITE_DIR "${PROJECT_SOURCE_DIR}/tests/data/pngsuite")
function(quiz_require_data)
  foreach(file IN LISTS ARGN)
    if(NOT EXISTS "${file}")
      message(FATAL_ERROR "Missing test data file: ${file}")
    endif()
  endforeach()
endfunction()
