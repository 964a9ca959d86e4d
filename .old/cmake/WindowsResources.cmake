# ojn_add_windows_resources(TARGET DESCRIPTION [CHART_ICON]): gives a
# Windows program its icon, version details and application manifest
# (windows/program.*.in), all from the project's one version. CHART_ICON
# adds the chart files' icon as icon 2, which the installer's file type
# names.
function(ojn_add_windows_resources target description)
  cmake_parse_arguments(R "CHART_ICON" "" "" ${ARGN})
  set(OJN_PROGRAM ${target})
  set(OJN_FILE_DESCRIPTION "${description}")
  set(OJN_ICON_DIR ${PROJECT_SOURCE_DIR}/icons)
  set(icons ${OJN_ICON_DIR}/ojn-tevrik-editor.ico)
  set(OJN_MORE_ICONS "")
  if(R_CHART_ICON)
    set(OJN_MORE_ICONS "2 ICON \"${OJN_ICON_DIR}/application-x-o2jam-ojn.ico\"")
    list(APPEND icons ${OJN_ICON_DIR}/application-x-o2jam-ojn.ico)
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
  set(OJN_MANIFEST ${dir}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/windows/program.manifest.in ${OJN_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/windows/program.rc.in ${dir}/${target}.rc @ONLY)
  # windres reports no dependencies of its own.
  set_source_files_properties(${dir}/${target}.rc PROPERTIES OBJECT_DEPENDS "${icons};${OJN_MANIFEST}")
  target_sources(${target} PRIVATE ${dir}/${target}.rc)
endfunction()
