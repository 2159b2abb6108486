# What `make windows` ships, from the two window programs and kx14ctl:
# - kx14-manager-windows-x86_64.zip (target windows_zip): the three programs,
#   stripped, and README.txt, to run from any folder;
# - kx14-manager-windows-x86_64-setup.exe (target windows_installer): the NSIS
#   installer of the same four files (packaging/windows/kx14-manager.nsi).
# The debugging symbols stay in the build tree's programs; the packed ones are
# about a tenth of their size without them.
set(KX14_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/kx14-manager-windows-x86_64.zip)
set(KX14_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/kx14-manager-windows-x86_64-setup.exe)
set(stage ${CMAKE_BINARY_DIR}/windows-package)

if(NOT TARGET kx14-manager OR NOT TARGET kx14-trackside OR NOT TARGET kx14ctl)
  foreach(target windows_zip windows_installer)
    add_custom_target(${target} COMMAND ${CMAKE_COMMAND} -E echo
                      "windows: ${target} needs kx14-manager.exe, kx14-trackside.exe and kx14ctl.exe in this tree")
  endforeach()
  return()
endif()

# Line ends as Windows' editors expect; the version filled in.
set(readme ${CMAKE_BINARY_DIR}/generated/windows-readme.txt)
configure_file(${PROJECT_SOURCE_DIR}/docs/windows-zip-readme.txt ${readme} @ONLY NEWLINE_STYLE CRLF)
set(staged ${stage}/kx14-manager.exe ${stage}/kx14-trackside.exe ${stage}/kx14ctl.exe
           ${stage}/README.txt)
add_custom_command(
  OUTPUT ${staged}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kx14-manager> ${stage}/kx14-manager.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kx14-trackside> ${stage}/kx14-trackside.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kx14ctl> ${stage}/kx14ctl.exe
  COMMAND ${CMAKE_STRIP} ${stage}/kx14-manager.exe ${stage}/kx14-trackside.exe ${stage}/kx14ctl.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${readme} ${stage}/README.txt
  DEPENDS kx14-manager kx14-trackside kx14ctl ${readme}
  COMMENT "Staging the Windows programs"
  VERBATIM)

add_custom_command(
  OUTPUT ${KX14_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KX14_WINDOWS_ZIP}
  COMMAND zip -q -j -X ${KX14_WINDOWS_ZIP} ${staged}
  DEPENDS ${staged}
  COMMENT "Packing ${KX14_WINDOWS_ZIP}"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${KX14_WINDOWS_ZIP})

find_program(KX14_MAKENSIS makensis REQUIRED)
set(nsi ${PROJECT_SOURCE_DIR}/packaging/windows/kx14-manager.nsi)
# The installer shows the program's own icon, drawn with its resources.
set(icon $<TARGET_PROPERTY:kx14-manager,KX14_WINDOWS_ICON>)
add_custom_command(
  OUTPUT ${KX14_WINDOWS_INSTALLER}
  COMMAND ${KX14_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
          "-DPRODUCT=${KX14_PRODUCT_NAME}" "-DPUBLISHER=${KX14_PUBLISHER}" "-DURL=${KX14_PROJECT_URL}"
          -DSOURCE_DIR=${stage} -DICON=${icon} -DOUTFILE=${KX14_WINDOWS_INSTALLER} ${nsi}
  DEPENDS ${staged} ${nsi} ${icon}
  COMMENT "Making ${KX14_WINDOWS_INSTALLER}"
  VERBATIM)
add_custom_target(windows_installer ALL DEPENDS ${KX14_WINDOWS_INSTALLER})
