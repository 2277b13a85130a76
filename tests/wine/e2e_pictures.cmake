# End-to-end scenarios of pictures on the board (tests/e2e/pictures.py).
add_e2e_scenarios(png_pictures_shown_fitted broken_png_is_reported unreadable_picture_is_silent)
