# The Windows build: the portable core and the Win32 code as one static library, the player,
# and the Windows-side test programs that CTest runs under Wine. Quiz resources for tests are
# made with the native quiztool, so configure with -DQUIZTOOL=<build/native/quiztool>.
set(QUIZTOOL "" CACHE FILEPATH "The native quiztool, for coding test resources")
if(NOT QUIZTOOL)
  message(FATAL_ERROR "Configure the Windows build with -DQUIZTOOL=<path of the native quiztool>")
endif()

quiz_get_sources(CORE coreSources)
quiz_get_sources(WINDOWS windowsSources)

add_library(quizwin STATIC ${coreSources} ${windowsSources})
quiz_common_options(quizwin)
target_compile_definitions(quizwin PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
target_link_options(quizwin INTERFACE -static -static-libgcc -static-libstdc++ -s)
target_link_libraries(quizwin INTERFACE gdi32 ole32 oleaut32 uuid comctl32 shell32)

if(EXISTS "${PROJECT_SOURCE_DIR}/app/player.cmake")
  include("${PROJECT_SOURCE_DIR}/app/player.cmake")
endif()

# quiztool.exe, the authors' tool, from the same sources as the native one: the 32-bit one that
# the authors' bundle ships, whose tests run through 32-bit Wine on every machine. The 64-bit tree
# stands in for the player where no 32-bit player can run; a 64-bit quiztool.exe would only repeat
# those tests.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_subdirectory(tools)
endif()

# Both programs carry one application manifest (resource 1 of type RT_MANIFEST, 24): they run
# with the rights of whoever starts them and are known to Windows from Vista to 11.
set(manifest "${PROJECT_SOURCE_DIR}/app/resources/application.manifest")
set(manifestRc "${PROJECT_BINARY_DIR}/application_manifest.rc")
file(CONFIGURE OUTPUT "${manifestRc}" CONTENT "1 24 \"${manifest}\"\n")
foreach(program IN ITEMS player quiztool)
  if(TARGET ${program})
    target_sources(${program} PRIVATE "${manifestRc}")
    set_source_files_properties("${manifestRc}" TARGET_DIRECTORY ${program}
      PROPERTIES OBJECT_DEPENDS "${manifest}")
  endif()
endforeach()

add_subdirectory(tests/wine)

if(EXISTS "${PROJECT_SOURCE_DIR}/tests/bench/windows.cmake")
  include("${PROJECT_SOURCE_DIR}/tests/bench/windows.cmake")
endif()
