# cmake -DTEMPLATES=t1;t2... -DLEVEL=n -DLAST_LEVEL=m -DSIZES=s1;s2... -DOUTPUTS=o1;o2...
#       -P usage_icons.cmake
# The usage-bar drawings of fill level n at several sizes, as usage_icon.cmake writes each, in one
# run: starting CMake costs more than a drawing.

foreach(TEMPLATE SIZE OUTPUT IN ZIP_LISTS TEMPLATES SIZES OUTPUTS)
  include("${CMAKE_CURRENT_LIST_DIR}/usage_icon.cmake")
endforeach()
