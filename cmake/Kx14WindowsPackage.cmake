# kx14ctl-windows-x86_64.zip: kx14ctl.exe and its README, built by the
# `windows_zip` target (make windows).
set(KX14_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/kx14ctl-windows-x86_64.zip)
set(zip_dir ${CMAKE_BINARY_DIR}/zip/kx14ctl)
if(TARGET kx14ctl)
  add_custom_command(
    OUTPUT ${KX14_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_dir} ${KX14_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_dir}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kx14ctl> ${zip_dir}/kx14ctl.exe
    # The debugging symbols stay in build-windows/cli/kx14ctl.exe; the packed
    # program is about a tenth of its size without them.
    COMMAND ${CMAKE_STRIP} ${zip_dir}/kx14ctl.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/windows-zip-readme.txt
            ${zip_dir}/README.txt
    COMMAND zip -q -j ${KX14_WINDOWS_ZIP} ${zip_dir}/kx14ctl.exe ${zip_dir}/README.txt
    DEPENDS kx14ctl ${PROJECT_SOURCE_DIR}/docs/windows-zip-readme.txt
    COMMENT "Packing ${KX14_WINDOWS_ZIP}")
  add_custom_target(windows_zip ALL DEPENDS ${KX14_WINDOWS_ZIP})
else()
  add_custom_target(windows_zip
    COMMAND ${CMAKE_COMMAND} -E echo "windows: no cli/ in this tree, so no kx14ctl.exe and no zip")
endif()
