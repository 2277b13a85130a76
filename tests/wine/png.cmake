# The PNG decoder on the Windows side: png_bitmap_probe.exe carries PNG pictures as RT_RCDATA
# resources, opens them with openPngResource and checks each DIB section made by makePngBitmap
# (its header, colour table and bits) against the portable describe and write results, and
# the failures: a missing and an empty resource, bytes that are no PNG, a damaged stream, a bad
# filter type.
set(pngSuite "${QUIZ_PNGSUITE_DIR}")
set(pngRc "${CMAKE_CURRENT_BINARY_DIR}/png_bitmap_probe.rc")
set(pngEmpty "${CMAKE_CURRENT_BINARY_DIR}/png_empty.bin")
file(WRITE "${pngEmpty}" "")
# Ids 1.. are pictures that must decode (in the probe's order); 20.. the failures.
set(pngPictures basn0g01 basn0g02 basn3p02 basn3p08 basn0g16 basn2c16 basn4a08 basn6a16
  basi0g04 basi3p01 basi2c08 basi6a08 s03i3p01 s09n3p02)
set(pngResources "")
set(id 1)
foreach(picture IN LISTS pngPictures)
  string(APPEND pngResources "${id} RCDATA \"${pngSuite}/${picture}.png\"\n")
  math(EXPR id "${id} + 1")
endforeach()
string(APPEND pngResources
  "20 RCDATA \"${pngEmpty}\"\n"
  "21 RCDATA \"${CMAKE_CURRENT_SOURCE_DIR}/data/garbage.bin\"\n"
  "22 RCDATA \"${CMAKE_CURRENT_SOURCE_DIR}/data/png_bad_stream.png\"\n"
  "23 RCDATA \"${CMAKE_CURRENT_SOURCE_DIR}/data/png_filter5.png\"\n")
file(WRITE "${pngRc}" "${pngResources}")
list(TRANSFORM pngPictures PREPEND "${pngSuite}/" OUTPUT_VARIABLE pngFiles)
list(TRANSFORM pngFiles APPEND ".png")
quiz_require_data(${pngFiles})
list(LENGTH pngPictures pngPictureCount)

add_executable(png_bitmap_probe png_bitmap_probe.cpp "${pngRc}")
quiz_common_options(png_bitmap_probe)
target_compile_definitions(png_bitmap_probe PRIVATE PNG_PICTURE_COUNT=${pngPictureCount})
target_link_libraries(png_bitmap_probe PRIVATE quizwin)
add_test(NAME png_bitmap COMMAND ${RUN_IN_WINE} "$<TARGET_FILE:png_bitmap_probe>")
quiz_wine_test(png_bitmap)
