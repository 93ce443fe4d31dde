# The game's pictures, made from the drawings here (see tools/picturegen.py):
# the generator writes every picture's drawing into the build tree, its
# palette and measures filled in and each family spread into its members;
# rsvg-convert renders each drawing to a PNG in the data folder, and the
# pictures named in pictures_made_as_jpeg go on through our PNG-to-JPEG
# converter. The generator rewrites only drawings whose bytes change, so only
# the pictures whose drawing changed are rendered again.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(picture_sources "${CMAKE_CURRENT_LIST_DIR}")
set(picture_drawings "${CMAKE_CURRENT_BINARY_DIR}/images")
set(picture_generator "${PROJECT_SOURCE_DIR}/tools/picturegen.py")
set(pictures_made_as_jpeg splash/upsell01 splash/upsell02 splash/upsell03 splash/upsell04)

file(GLOB_RECURSE picture_inputs CONFIGURE_DEPENDS "${picture_sources}/*.svg" "${picture_sources}/*.txt")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${picture_sources}/families.txt" "${picture_generator}")
execute_process(
  COMMAND ${Python3_EXECUTABLE} "${picture_generator}" --list "${picture_sources}"
  OUTPUT_VARIABLE picture_names
  RESULT_VARIABLE picture_listing
  ERROR_VARIABLE picture_listing_error)
if(NOT picture_listing EQUAL 0)
  message(FATAL_ERROR "Cannot list the pictures: ${picture_listing_error}")
endif()
string(REGEX REPLACE "\n$" "" picture_names "${picture_names}")
string(REPLACE "\n" ";" picture_names "${picture_names}")

set(picture_drawing_files)
foreach(name ${picture_names})
  list(APPEND picture_drawing_files "${picture_drawings}/${name}.svg")
endforeach()
add_custom_command(
  OUTPUT ${picture_drawing_files}
  COMMAND ${Python3_EXECUTABLE} "${picture_generator}" "${picture_sources}" "${picture_drawings}"
  DEPENDS ${picture_inputs} "${picture_generator}"
  COMMENT "Drawing the pictures"
  VERBATIM)

foreach(name ${picture_names})
  set(drawing "${picture_drawings}/${name}.svg")
  if(name IN_LIST pictures_made_as_jpeg)
    set(rendered "${CMAKE_CURRENT_BINARY_DIR}/rendered/${name}.png")
    set(output "${QUORVANE_DATA_FOLDER}/${name}.jpg")
    get_filename_component(rendered_folder "${rendered}" DIRECTORY)
    add_custom_command(
      OUTPUT "${rendered}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${rendered_folder}"
      COMMAND ${RSVG_CONVERT} -o "${rendered}" "${drawing}"
      DEPENDS "${drawing}"
      VERBATIM)
    add_custom_command(
      OUTPUT "${output}"
      COMMAND $<TARGET_FILE:pngtojpeg> "${rendered}" "${output}" 90
      DEPENDS "${rendered}" pngtojpeg
      VERBATIM)
  else()
    set(output "${QUORVANE_DATA_FOLDER}/${name}.png")
    get_filename_component(output_folder "${output}" DIRECTORY)
    add_custom_command(
      OUTPUT "${output}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${output_folder}"
      COMMAND ${RSVG_CONVERT} -o "${output}" "${drawing}"
      DEPENDS "${drawing}"
      VERBATIM)
  endif()
  list(APPEND data_outputs "${output}")
endforeach()

# Every picture laid out on light and dark grounds, at its drawn size, with
# a play field put together from them, in colour and in grey: built on
# demand (cmake --build --preset test --target contact_sheet) into
# contact-sheet/ of the build tree.
set(contact_sheet "${PROJECT_BINARY_DIR}/contact-sheet/contact-sheet.png")
add_custom_command(
  OUTPUT "${contact_sheet}"
  BYPRODUCTS "${PROJECT_BINARY_DIR}/contact-sheet/contact-sheet-grey.png"
  COMMAND ${Python3_EXECUTABLE} "${PROJECT_SOURCE_DIR}/tools/contactsheet.py" --rsvg ${RSVG_CONVERT}
          "${QUORVANE_DATA_FOLDER}" "${PROJECT_BINARY_DIR}/contact-sheet"
  DEPENDS ${data_outputs} "${PROJECT_SOURCE_DIR}/tools/contactsheet.py"
  COMMENT "Laying out the contact sheet"
  VERBATIM)
add_custom_target(contact_sheet DEPENDS "${contact_sheet}")
