# quiztool.exe, the authors' tool, through the native tool's list of command-line cases: once
# under Wine, and once with the native tool beside it, both packing the demo quizzes into this
# tree's player. Under Wine the demo executables must also be byte for byte the native tool's.
set(quiztoolDemo "${PROJECT_BINARY_DIR}/quiztool-demo")
add_test(NAME quiztool_demo_media COMMAND "${PROJECT_SOURCE_DIR}/demo/make-media" "${quiztoolDemo}")
set_tests_properties(quiztool_demo_media PROPERTIES FIXTURES_SETUP quiztool_demo TIMEOUT 120)

set(cliCases "${PROJECT_SOURCE_DIR}/tests/cli/quiztool_test.sh")
add_test(NAME quiztool_cli_native COMMAND "${cliCases}" "${QUIZTOOL}")
set_tests_properties(quiztool_cli_native PROPERTIES
  FIXTURES_REQUIRED quiztool_demo TIMEOUT 600
  ENVIRONMENT "PLAYER=$<TARGET_FILE:player>;DEMO=${quiztoolDemo}")
# A dropped file is packed into the player beside the tool: for the native tool that is
# build/windows/player.exe, this tree's player only in the i686 tree.
get_filename_component(nativeDefaultPlayer "${QUIZTOOL}/../../windows/player.exe" ABSOLUTE)
if(nativeDefaultPlayer STREQUAL "${PROJECT_BINARY_DIR}/player.exe")
  set_property(TEST quiztool_cli_native APPEND PROPERTY ENVIRONMENT "DROP=1")
endif()

# quiztool.exe itself is built in the 32-bit tree only.
if(NOT TARGET quiztool)
  return()
endif()

# Wine takes the user interface language from the C library's locale: the case list's French
# needs fr_FR.UTF-8, which a machine need not have installed. It is compiled once into this tree,
# and LOCPATH points Wine to it.
set(quiztoolLocales "${PROJECT_BINARY_DIR}/locales")
add_test(NAME quiztool_french_locale COMMAND sh -c [[
  test -e "$1/fr_FR.UTF-8/LC_CTYPE" && exit 0
  rm -rf "$1/new" && mkdir -p "$1" && localedef -i fr_FR -f UTF-8 "$1/new" &&
    rm -rf "$1/fr_FR.UTF-8" && mv "$1/new" "$1/fr_FR.UTF-8"]] sh "${quiztoolLocales}")
set_tests_properties(quiztool_french_locale PROPERTIES FIXTURES_SETUP quiztool_french TIMEOUT 300)

add_test(NAME quiztool_cli_wine COMMAND "${cliCases}" ${RUN_IN_WINE} "$<TARGET_FILE:quiztool>")
set_tests_properties(quiztool_cli_wine PROPERTIES TIMEOUT 600 ENVIRONMENT
  "PLAYER=$<TARGET_FILE:player>;DEMO=${quiztoolDemo};REFERENCE=${QUIZTOOL};DROP=1;LOCPATH=${quiztoolLocales}")
# quiz_wine_test sets the fixtures the test requires: the others are added after it.
quiz_wine_test(quiztool_cli_wine)
set_property(TEST quiztool_cli_wine APPEND PROPERTY FIXTURES_REQUIRED quiztool_demo quiztool_french)
