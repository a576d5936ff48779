# cmake -DTEMPLATE=usage.svg -DLEVEL=n -DLAST_LEVEL=m -DSIZE=s -DOUTPUT=file.svg -P usage_icon.cmake
# Writes the usage-bar drawing for fill level n (0..m, the full bar) as it is rendered at s pixels:
# the bar's frame, track and fill lie on whole pixels of that size, and the fill covers
# round(n/m) of the track's pixels, column by column from the left, each column from the bottom,
# so that every level shows more than the one before wherever the track has room for m steps.

foreach(var TEMPLATE LEVEL LAST_LEVEL SIZE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "usage_icon.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT LAST_LEVEL MATCHES "^[1-9][0-9]*$" OR NOT LEVEL MATCHES "^[0-9]+$"
   OR LEVEL GREATER LAST_LEVEL OR NOT SIZE MATCHES "^[0-9]+$" OR SIZE LESS 16)
  message(FATAL_ERROR
    "usage_icon.cmake: level ${LEVEL} of ${LAST_LEVEL} or size ${SIZE} out of range")
endif()

file(READ "${TEMPLATE}" svg)
# The drawing's own units: a square of `design` units.
if(NOT svg MATCHES "viewBox=\"0 0 ([0-9]+) ([0-9]+)\"" OR NOT CMAKE_MATCH_1 EQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "usage_icon.cmake: ${TEMPLATE} is not drawn on a square")
endif()
set(design ${CMAKE_MATCH_1})

# Replaces exactly one match of `pattern` in svg, or stops the build.
function(replace_once pattern replacement)
  string(REGEX MATCHALL "${pattern}" found "${svg}")
  list(LENGTH found count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "usage_icon.cmake: ${TEMPLATE} has ${count} matches of ${pattern}")
  endif()
  string(REGEX REPLACE "${pattern}" "${replacement}" svg "${svg}")
  set(svg "${svg}" PARENT_SCOPE)
endfunction()

# Design units to pixels at this size, rounded to the nearest pixel.
function(to_pixels out value)
  math(EXPR px "(${value} * ${SIZE} + ${design} / 2) / ${design}")
  set(${out} ${px} PARENT_SCOPE)
endfunction()

set(number "([0-9]+)")
set(frame_pattern
    "id=\"frame\" x=\"${number}\" y=\"${number}\" width=\"${number}\" height=\"${number}\"")
if(NOT svg MATCHES "${frame_pattern}")
  message(FATAL_ERROR "usage_icon.cmake: ${TEMPLATE} has no frame with whole-unit geometry")
endif()
set(fx ${CMAKE_MATCH_1})
set(fy ${CMAKE_MATCH_2})
set(fw ${CMAKE_MATCH_3})
set(fh ${CMAKE_MATCH_4})
to_pixels(left ${fx})
to_pixels(top ${fy})
math(EXPR right_units "${fx} + ${fw}")
math(EXPR bottom_units "${fy} + ${fh}")
to_pixels(right ${right_units})
to_pixels(bottom ${bottom_units})
# The frame's border is one design unit wide, but never thinner than a pixel; the track keeps at
# least three rows so that the small sizes still read.
to_pixels(border 1)
if(border LESS 1)
  set(border 1)
endif()
math(EXPR min_bottom "${top} + 2 * ${border} + 3")
if(bottom LESS min_bottom)
  set(bottom ${min_bottom})
endif()
if(bottom GREATER SIZE)
  math(EXPR top "${top} - (${bottom} - ${SIZE})")
  set(bottom ${SIZE})
endif()

math(EXPR width "${right} - ${left}")
math(EXPR height "${bottom} - ${top}")
math(EXPR tx "${left} + ${border}")
math(EXPR ty "${top} + ${border}")
math(EXPR tw "${width} - 2 * ${border}")
math(EXPR th "${height} - 2 * ${border}")
math(EXPR filled "(2 * ${LEVEL} * ${tw} * ${th} + ${LAST_LEVEL}) / (2 * ${LAST_LEVEL})")
math(EXPR columns "${filled} / ${th}")
math(EXPR rest "${filled} % ${th}")

set(fill "")
if(columns GREATER 0)
  string(APPEND fill "M${tx} ${ty}h${columns}v${th}h-${columns}z")
endif()
if(rest GREATER 0)
  math(EXPR rx "${tx} + ${columns}")
  math(EXPR ry "${ty} + ${th} - ${rest}")
  string(APPEND fill "M${rx} ${ry}h1v${rest}h-1z")
endif()

# Colours follow Explorer's own bar: index 39 stands for 80 % used, index 44 for 90 %.
if(LEVEL GREATER_EQUAL 44)
  set(colour nearly-full)
elseif(LEVEL GREATER_EQUAL 39)
  set(colour filling)
else()
  set(colour room)
endif()

replace_once("${frame_pattern}"
             "id=\"frame\" x=\"${left}\" y=\"${top}\" width=\"${width}\" height=\"${height}\"")
replace_once("id=\"track\" x=\"[0-9.]+\" y=\"[0-9.]+\" width=\"[0-9.]+\" height=\"[0-9.]+\""
             "id=\"track\" x=\"${tx}\" y=\"${ty}\" width=\"${tw}\" height=\"${th}\"")
replace_once("id=\"fill\" class=\"[a-z-]+\" d=\"[^\"]*\"" "id=\"fill\" class=\"${colour}\" d=\"${fill}\"")
replace_once("id=\"gloss\" d=\"[^\"]*\"" "id=\"gloss\" d=\"${fill}\"")
# The bar's coordinates are pixels of this size: a nested viewport maps them onto the drawing.
replace_once("<g id=\"bar\">"
             "<svg width=\"${design}\" height=\"${design}\" viewBox=\"0 0 ${SIZE} ${SIZE}\"><g id=\"bar\">")
replace_once("</svg>[ \t\r\n]*$" "</svg></svg>\n")
file(WRITE "${OUTPUT}" "${svg}")
