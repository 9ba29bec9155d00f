# Makes every file that a resource script names in quotes (its manifest, icons, bitmaps and the
# headers it includes from its own folder) a dependency of its object, so that changing one of
# them rebuilds the program. Call it in the folder of the target that compiles the script.
function(quorvane_resource_depends script)
  get_filename_component(script ${script} ABSOLUTE)
  get_filename_component(folder ${script} DIRECTORY)
  file(STRINGS ${script} lines REGEX "\"[^\"]+\\.(bmp|ico|manifest|h)\"")
  set(named)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "\"([^\"]+\\.(bmp|ico|manifest|h))\"" quoted "${line}")
    if(EXISTS ${folder}/${CMAKE_MATCH_1})
      list(APPEND named ${folder}/${CMAKE_MATCH_1})
    endif()
  endforeach()
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS ${named})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
endfunction()
