# Our own targets build with strict warnings; third-party headers come in as
# system includes through their imported targets, so they stay quiet.
function(zr_project_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# One library per folder, named zr_<folder>.
function(zr_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  zr_project_target(${name})
endfunction()
