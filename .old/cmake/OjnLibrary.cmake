# ojn_add_library(NAME SOURCES ... [POSIX ...] [WINDOWS ...] [LINKS ...]):
# one folder's static library. Its headers are included from src/ as
# "folder/File.h"; POSIX and WINDOWS sources are the platform files of
# the same code, one set built per system. LINKS are public, so the layer a
# library sits in is stated once, here, and a wrong-way include fails the
# build.
function(ojn_add_library name)
  cmake_parse_arguments(L "" "" "SOURCES;POSIX;WINDOWS;LINKS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  if(WIN32)
    target_sources(${name} PRIVATE ${L_WINDOWS})
  else()
    target_sources(${name} PRIVATE ${L_POSIX})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_LINKS})
endfunction()
