# kx14_windows_app_resources(<target>): gives a Windows window program its
# icon (drawn by kx14_artgen at build time, no image in the repository), its
# version information (the project's version) and its manifest (run as
# invoker, common controls 6, DPI choice) through app/win32/app.rc.in.
function(kx14_windows_app_resources target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(KX14_RC_PROGRAM ${target})
  set(KX14_RC_ICON ${dir}/kx14-manager.ico)
  set(KX14_RC_MANIFEST ${dir}/kx14-manager.manifest)
  add_custom_command(
    OUTPUT ${KX14_RC_ICON}
    COMMAND kx14_artgen --windows-icon ${dir}
    DEPENDS kx14_artgen
    COMMENT "Drawing the Windows icon"
    VERBATIM)
  configure_file(${PROJECT_SOURCE_DIR}/app/win32/app.manifest.in ${KX14_RC_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/app/win32/app.rc.in ${dir}/win32_app.rc @ONLY)
  # windres reads the icon and the manifest by path: the object is rebuilt
  # when either changes.
  set_source_files_properties(${dir}/win32_app.rc PROPERTIES
    OBJECT_DEPENDS "${KX14_RC_ICON};${KX14_RC_MANIFEST}")
  target_sources(${target} PRIVATE ${dir}/win32_app.rc)
  # The installer shows the same icon.
  set_target_properties(${target} PROPERTIES KX14_WINDOWS_ICON ${KX14_RC_ICON})
endfunction()
