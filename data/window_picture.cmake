# cmake -DSOURCE=main_window.cpp -DOUTPUT=window.svg -P window_picture.cmake
# Draws the icon changer's main window for the help, laid out from its control table (kControls)
# instead of a screenshot, so that the picture follows the table: each control at its place and
# size, with its caption, numbered, and named in a legend under the window.
#
# The table is read tolerantly, a row being one brace group of the table:
#   - the id is its first token (IDC_CMDCHANGE), named as the product names it (cmdChange);
#   - the class and the caption are its first and second text: a string literal, nullptr, or a
#     string constant of the file (kPrompt);
#   - the place is its last group of four numbers in twips {left, top, width, height}, or a
#     constant of the file (kImage1Twips) so defined, whichever comes last;
#   - a row whose role (any word outside its texts) mentions Hidden is not drawn, nor one placed
#     at or below the client area's bottom (txtDummy, the unseen box that holds the focus).
# A row without an id or a place is left out with a warning.

# Lists keep their empty items (captions).
cmake_minimum_required(VERSION 3.25)

foreach(var SOURCE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "window_picture.cmake: ${var} is not set")
  endif()
endforeach()

file(READ "${SOURCE}" text)
# Semicolons would split CMake's lists; the table's rows have none but in their texts.
string(ASCII 31 semicolon)
string(REPLACE ";" "${semicolon}" text "${text}")
string(REGEX REPLACE "(^|[ \t\n])//[^\n]*" "\\1" text "${text}")

set(literal [=["([^"\\]|\\.)*"]=])
set(number "[ \t\n]*(-?[0-9]+)[ \t\n]*")
set(four "\\{${number},${number},${number},${number}\\}")

# The text of a C++ string literal: quotes dropped, the escapes the table may use undone.
function(unquote out quoted)
  string(REGEX REPLACE "^\"(.*)\"$" "\\1" s "${quoted}")
  string(REPLACE "\\\"" "\"" s "${s}")
  string(REPLACE "\\\\" "\\" s "${s}")
  set(${out} "${s}" PARENT_SCOPE)
endfunction()

# The value of the string constant NAME (adjacent literals joined), or NOTFOUND.
function(string_constant out name)
  set(${out} NOTFOUND PARENT_SCOPE)
  if(text MATCHES "${name}\\[\\][ \t\n]*=[ \t\n]*((${literal}[ \t\n]*)+)${semicolon}")
    string(REGEX MATCHALL "${literal}" pieces "${CMAKE_MATCH_1}")
    set(value "")
    foreach(piece IN LISTS pieces)
      unquote(piece "${piece}")
      string(APPEND value "${piece}")
    endforeach()
    set(${out} "${value}" PARENT_SCOPE)
  endif()
endfunction()

# The value of the integer constant NAME, or stops: the picture needs it.
function(int_constant out name)
  if(NOT text MATCHES "${name}[ \t\n]*=${number}${semicolon}")
    message(FATAL_ERROR "window_picture.cmake: no ${name} in ${SOURCE}")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

int_constant(client_width kClientWidthTwips)
int_constant(client_height kClientHeightTwips)
string_constant(title kTitle)

string(FIND "${text}" "kControls[]" start)
if(start LESS 0)
  message(FATAL_ERROR "window_picture.cmake: no table kControls in ${SOURCE}")
endif()
string(SUBSTRING "${text}" ${start} -1 table)
string(FIND "${table}" "{" open)
string(FIND "${table}" "}${semicolon}" close)
math(EXPR open "${open} + 1")
math(EXPR length "${close} - ${open}")
if(length LESS 0)
  message(FATAL_ERROR "window_picture.cmake: the table kControls in ${SOURCE} has no end")
endif()
string(SUBSTRING "${table}" ${open} ${length} table)

set(group "([^{}\"]|${literal})*")
string(REGEX MATCHALL "\\{${group}(\\{[^{}]*\\}${group})?\\}" rows "${table}")

# The product's names of more than one word after their prefix; the others follow from their ids.
set(names_of_words txtIconPath)
set(prefixes cbo chk cmd lbl lst txt)
function(product_name out id)
  string(REGEX REPLACE "^IDC_" "" upper "${id}")
  foreach(name IN LISTS names_of_words)
    string(TOUPPER "${name}" name_upper)
    if(name_upper STREQUAL upper)
      set(${out} "${name}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  # cmdChange: a prefix in lower case, then one word; Image2: one word.
  string(TOLOWER "${upper}" lower)
  string(SUBSTRING "${lower}" 0 3 head)
  if(NOT head IN_LIST prefixes)
    set(head "")
  endif()
  string(LENGTH "${head}" at)
  string(SUBSTRING "${lower}" ${at} 1 capital)
  math(EXPR at "${at} + 1")
  string(SUBSTRING "${lower}" ${at} -1 rest)
  string(TOUPPER "${capital}" capital)
  set(${out} "${head}${capital}${rest}" PARENT_SCOPE)
endfunction()

# Text for the SVG: XML's special characters escaped, the semicolons back.
function(xml out value)
  string(REPLACE "&" "&amp;" value "${value}")
  string(REPLACE "<" "&lt;" value "${value}")
  string(REPLACE ">" "&gt;" value "${value}")
  string(REPLACE "\"" "&quot;" value "${value}")
  string(REPLACE "${semicolon}" "&#59;" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# A caption as Windows shows it: "&&" is an ampersand, "&x" underlines x.
function(caption_markup out caption)
  string(ASCII 30 ampersand)
  string(REPLACE "&&" "${ampersand}" caption "${caption}")
  if(caption MATCHES "^([^&]*)&([^&])(.*)$")
    set(parts "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" "${CMAKE_MATCH_3}")
  else()
    set(parts "${caption}" "" "")
  endif()
  set(markup "")
  set(index 0)
  foreach(part IN LISTS parts)
    string(REPLACE "&" "" part "${part}")
    string(REPLACE "${ampersand}" "&" part "${part}")
    xml(part "${part}")
    if(index EQUAL 1 AND NOT part STREQUAL "")
      set(part "<tspan text-decoration=\"underline\">${part}</tspan>")
    endif()
    string(APPEND markup "${part}")
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} "${markup}" PARENT_SCOPE)
endfunction()

# Twips to the picture's pixels: twice the pixels of 96 dpi (15 twips), rounded.
function(px out twips)
  math(EXPR value "(${twips} * 2 + 7) / 15")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# The controls to draw, in table order: name, class, caption, left, top, width, height, style.
set(controls)
set(count 0)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "^\\{[ \t\n]*([A-Za-z_][A-Za-z0-9_]*)")
    message(WARNING "window_picture.cmake: a row without an id is left out: ${row}")
    continue()
  endif()
  set(id "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "${literal}" "\"\"" words "${row}")
  if(words MATCHES "Hidden")
    continue()
  endif()
  # Class and caption.
  string(REGEX MATCHALL "${literal}|nullptr|k[A-Z][A-Za-z0-9_]*" tokens "${row}")
  set(texts)
  foreach(token IN LISTS tokens)
    if(token STREQUAL "nullptr")
      list(APPEND texts "")
    elseif(token MATCHES "^\"")
      unquote(value "${token}")
      list(APPEND texts "${value}")
    else()
      string_constant(value "${token}")
      if(NOT value STREQUAL "NOTFOUND")
        list(APPEND texts "${value}")
      endif()
    endif()
  endforeach()
  list(APPEND texts "" "")
  list(GET texts 0 class)
  list(GET texts 1 caption)
  # Place.
  string(REGEX MATCHALL "${four}|k[A-Za-z0-9_]*Twips" places "${row}")
  set(place "")
  if(places)
    list(GET places -1 place)
  endif()
  if(place MATCHES "^k" AND text MATCHES "${place}[ \t\n]*=[ \t\n]*(${four})")
    set(place "${CMAKE_MATCH_1}")
  endif()
  if(NOT place MATCHES "^${four}$")
    message(WARNING "window_picture.cmake: ${id} has no place in twips and is left out")
    continue()
  endif()
  set(geometry ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4})
  list(GET geometry 1 top)
  if(top GREATER_EQUAL client_height)
    continue()
  endif()
  set(style plain)
  if(row MATCHES "SS_BITMAP|SS_ICON")
    set(style picture)
  endif()
  product_name(name "${id}")
  math(EXPR count "${count} + 1")
  set(control_${count} "${name}" "${class}" "${caption}" ${geometry} ${style})
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "window_picture.cmake: no control to draw in ${SOURCE}")
endif()

# The picture: the window (a title bar over the client area) with a margin, the legend under it.
set(margin 16)
set(bar 40)
set(row_height 26)
set(columns 3)
px(width ${client_width})
px(height ${client_height})
math(EXPR client_x "${margin}")
math(EXPR client_y "${margin} + ${bar}")
math(EXPR legend_y "${client_y} + ${height} + ${margin} + 8")
math(EXPR legend_rows "(${count} + ${columns} - 1) / ${columns}")
math(EXPR column_width "${width} / ${columns}")
math(EXPR picture_width "${width} + 2 * ${margin}")
math(EXPR picture_height "${legend_y} + ${legend_rows} * ${row_height} + ${margin}")
math(EXPR title_y "${margin} + 26")
xml(title_text "${title}")

set(svg "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"${picture_width}\" height=\"${picture_height}\" viewBox=\"0 0 ${picture_width} ${picture_height}\">
  <title>The main window of ${title_text}, each control numbered and named</title>
  <!-- Written by the build from the icon changer's control table. -->
  <style>
    text { font-family: 'DejaVu Sans'; fill: #24313f; }
    .caption { font-size: 15px; }
    .badge { fill: #2a6fc8; stroke: #fff; stroke-width: 1.5; }
    .number { font-size: 10px; font-weight: bold; fill: #fff; text-anchor: middle; }
    .extent { fill: none; stroke: #2a6fc8; stroke-width: 1; stroke-dasharray: 4 3; }
    .name { font-size: 14px; font-weight: bold; }
  </style>
  <rect width=\"${picture_width}\" height=\"${picture_height}\" fill=\"#fff\"/>
  <rect x=\"${margin}\" y=\"${margin}\" width=\"${width}\" height=\"${bar}\" fill=\"#dfe6ee\"/>
  <text x=\"${client_x}\" y=\"${title_y}\" dx=\"12\" font-size=\"16\">${title_text}</text>
  <svg x=\"${client_x}\" y=\"${client_y}\" width=\"${width}\" height=\"${height}\">
    <rect width=\"${width}\" height=\"${height}\" fill=\"#f0f0f0\"/>
")

# The controls, the last row first: the table lists the white band last, beneath the pictures.
set(badges "")
set(legend "")
foreach(n RANGE ${count} 1 -1)
  list(GET control_${n} 0 name)
  list(GET control_${n} 1 class)
  list(GET control_${n} 2 caption)
  list(GET control_${n} 3 left)
  list(GET control_${n} 4 top)
  list(GET control_${n} 5 w)
  list(GET control_${n} 6 h)
  list(GET control_${n} 7 style)
  px(x ${left})
  px(y ${top})
  px(w ${w})
  px(h ${h})
  math(EXPR middle_x "${x} + ${w} / 2")
  math(EXPR baseline "${y} + ${h} / 2 + 5")
  caption_markup(caption "${caption}")
  string(TOUPPER "${class}" class)
  set(body "")
  if(class STREQUAL "BUTTON")
    set(body "<rect x=\"${x}\" y=\"${y}\" width=\"${w}\" height=\"${h}\" rx=\"3\" fill=\"#e1e1e1\" stroke=\"#adadad\"/>
      <text class=\"caption\" x=\"${middle_x}\" y=\"${baseline}\" text-anchor=\"middle\">${caption}</text>")
  elseif(class STREQUAL "EDIT" OR class STREQUAL "COMBOBOX")
    set(body "<rect x=\"${x}\" y=\"${y}\" width=\"${w}\" height=\"${h}\" fill=\"#fff\" stroke=\"#7a7a7a\"/>")
    if(class STREQUAL "COMBOBOX")
      math(EXPR arrow_x "${x} + ${w} - ${h} / 2 - 5")
      math(EXPR arrow_y "${y} + ${h} / 2 - 2")
      string(APPEND body "<path d=\"M${arrow_x} ${arrow_y}h10l-5 6z\" fill=\"#24313f\"/>")
    endif()
  elseif(style STREQUAL "picture")
    set(body "<rect x=\"${x}\" y=\"${y}\" width=\"${w}\" height=\"${h}\" fill=\"#dbe8f7\"/>")
  elseif(class STREQUAL "STATIC" AND NOT caption STREQUAL "")
    set(body "<text class=\"caption\" x=\"${middle_x}\" y=\"${baseline}\" text-anchor=\"middle\">${caption}</text>")
  else()
    set(body "<rect x=\"${x}\" y=\"${y}\" width=\"${w}\" height=\"${h}\" fill=\"#fff\"/>")
  endif()
  string(APPEND svg "    <g id=\"${name}\">
      ${body}
      <rect class=\"extent\" x=\"${x}.5\" y=\"${y}.5\" width=\"${w}\" height=\"${h}\"/>
    </g>
")
  # The number at the control's top left corner, drawn over every control.
  math(EXPR badge_x "${x} + 9")
  math(EXPR badge_y "${y} + 9")
  math(EXPR number_y "${badge_y} + 4")
  set(badges "    <circle class=\"badge\" cx=\"${badge_x}\" cy=\"${badge_y}\" r=\"9\"/><text class=\"number\" x=\"${badge_x}\" y=\"${number_y}\">${n}</text>
${badges}")
  # The legend, in rows of `columns`.
  math(EXPR column "(${n} - 1) % ${columns}")
  math(EXPR line "(${n} - 1) / ${columns}")
  math(EXPR entry_x "${margin} + ${column} * ${column_width} + 9")
  math(EXPR entry_y "${legend_y} + ${line} * ${row_height} + 9")
  math(EXPR entry_number_y "${entry_y} + 4")
  math(EXPR entry_name_x "${entry_x} + 16")
  math(EXPR entry_name_y "${entry_y} + 5")
  set(legend "  <circle class=\"badge\" cx=\"${entry_x}\" cy=\"${entry_y}\" r=\"9\"/><text class=\"number\" x=\"${entry_x}\" y=\"${entry_number_y}\">${n}</text><text class=\"name\" x=\"${entry_name_x}\" y=\"${entry_name_y}\">${name}</text>
${legend}")
endforeach()
math(EXPR frame_height "${bar} + ${height}")
string(APPEND svg "${badges}  </svg>
  <rect x=\"${margin}.5\" y=\"${margin}.5\" width=\"${width}\" height=\"${frame_height}\" fill=\"none\" stroke=\"#7a8694\"/>
${legend}</svg>
")
file(WRITE "${OUTPUT}" "${svg}")
