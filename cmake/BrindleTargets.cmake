# Helpers shared by every target of the tree.

# Warnings for our own code; -Werror when BRINDLE_WERROR is on (CI).
function(brindle_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local
                                           -Wnon-virtual-dtor -Woverloaded-virtual)
  if(BRINDLE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Sources of a list of folders (relative to the source root), without main.cpp files.
function(brindle_collect_sources out)
  set(result "")
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  list(FILTER result EXCLUDE REGEX "/main\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# brindle_library(name DIRS dir...): objects <name>_objects, shared library <name>
# (only what is marked for export is visible) and static library <name>_static for
# tests and benchmarks, which need the internal classes.
function(brindle_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  brindle_collect_sources(sources ${ARG_DIRS})
  if(NOT sources)
    # A library whose first sources have not arrived yet still has a target.
    set(stub ${CMAKE_BINARY_DIR}/generated/${name}_empty.cpp)
    file(WRITE ${stub} "namespace { [[maybe_unused]] int ${name}_empty = 0; }\n")
    set(sources ${stub})
  endif()
  add_library(${name}_objects OBJECT ${sources})
  set_target_properties(${name}_objects PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${name}_objects PUBLIC ${CMAKE_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name}_objects PUBLIC ${ARG_LIBS})
  endif()
  brindle_warnings(${name}_objects)

  add_library(${name} SHARED $<TARGET_OBJECTS:${name}_objects>)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 0)

  add_library(${name}_static STATIC $<TARGET_OBJECTS:${name}_objects>)
  target_include_directories(${name}_static PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name}_static PUBLIC ${ARG_LIBS})
endfunction()
