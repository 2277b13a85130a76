# End-to-end scenarios of pictures on the board (tests/e2e/pictures.py).
foreach(scenario IN ITEMS png_pictures_shown_fitted broken_png_is_reported unreadable_picture_is_silent)
  add_test(NAME e2e_${scenario}
    COMMAND python3 "${PROJECT_SOURCE_DIR}/tests/e2e/scenarios.py" "${PROJECT_BINARY_DIR}"
      "${QUIZTOOL}" ${scenario})
  set_tests_properties(e2e_${scenario} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display
    TIMEOUT 120)
endforeach()
