# What `cmake --install` puts in place (prefix /usr/local unless told
# otherwise; the package uses /usr): the programs, their manual pages, the
# desktop entry, the icons, the AppStream metadata and kx14ctl's bash
# completion. Included after every subdirectory, so that `if(TARGET ...)`
# sees every program of this build.
include(GNUInstallDirs)

set(KX14_PACKAGE_MAINTAINER "${KX14_PUBLISHER} <maintainers@kx14-manager.example.org>"
    CACHE STRING "Name <address> of whoever answers for the package")
# Reverse-DNS of the project's home (KX14_PROJECT_URL); it names the metadata file and must never
# change once published, software centres key their entries on it.
set(KX14_APPSTREAM_ID "org.example.kx14_manager")
set(KX14_SCREENSHOT_URL "${KX14_PROJECT_URL}docs/screenshot.png")

set(kx14_packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(kx14_packaging_build ${PROJECT_BINARY_DIR}/packaging)
set(kx14_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/kx14-manager)
set(kx14_generated_data)

# Configures `source` into the build tree and compresses it as Debian wants
# manual pages and changelogs: gzip -9, without name and time stamp, so that
# two builds give the same bytes. Sets `<out_var>` to the .gz file.
function(kx14_gzipped_file source name out_var)
  set(plain ${kx14_packaging_build}/${name})
  configure_file(${source} ${plain} @ONLY)
  add_custom_command(OUTPUT ${plain}.gz
                     COMMAND gzip -9 -n -k -f ${plain}
                     DEPENDS ${plain}
                     VERBATIM)
  set(${out_var} ${plain}.gz PARENT_SCOPE)
endfunction()

set(kx14_programs)
foreach(program IN ITEMS kx14-manager kx14-trackside kx14ctl kx14-devsim)
  if(TARGET ${program})
    list(APPEND kx14_programs ${program})
  endif()
endforeach()
install(TARGETS ${kx14_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The rest is what Linux desktops and shells look for.
if(WIN32)
  return()
endif()

foreach(program IN LISTS kx14_programs)
  kx14_gzipped_file(${kx14_packaging_source}/man/${program}.1.in ${program}.1 page)
  list(APPEND kx14_generated_data ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

if(TARGET kx14ctl)
  install(FILES ${kx14_packaging_source}/bash-completion/kx14ctl
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()

if(TARGET kx14-manager)
  install(FILES ${kx14_packaging_source}/kx14-manager.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  set(metainfo ${kx14_packaging_build}/${KX14_APPSTREAM_ID}.metainfo.xml)
  configure_file(${kx14_packaging_source}/kx14-manager.metainfo.xml.in ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Drawn by the window's own artwork generator, one PNG file per size.
  set(icon_dir ${kx14_packaging_build}/icons)
  set(icons)
  foreach(size IN ITEMS 48 128 256)
    list(APPEND icons ${icon_dir}/kx14-manager-${size}.png)
    install(FILES ${icon_dir}/kx14-manager-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kx14-manager.png)
  endforeach()
  add_custom_command(OUTPUT ${icons}
                     COMMAND kx14_artgen --icons ${icon_dir}
                     DEPENDS kx14_artgen
                     COMMENT "Drawing the desktop icons"
                     VERBATIM)
  list(APPEND kx14_generated_data ${icons})
endif()

# The track-side window's menu entry, beside the main window's, with its icon.
if(TARGET kx14-trackside)
  install(FILES ${kx14_packaging_source}/kx14-trackside.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()

configure_file(${kx14_packaging_source}/copyright ${kx14_packaging_build}/copyright @ONLY)
install(FILES ${kx14_packaging_build}/copyright DESTINATION ${kx14_doc_dir})
kx14_gzipped_file(${kx14_packaging_source}/changelog.in changelog changelog)
list(APPEND kx14_generated_data ${changelog})
install(FILES ${changelog} DESTINATION ${kx14_doc_dir})

# The sanitizer trees are never installed or packaged: they make the data
# only when asked (`cmake --build DIR --target kx14_install_data`).
if(KX14_SANITIZE)
  add_custom_target(kx14_install_data DEPENDS ${kx14_generated_data})
else()
  add_custom_target(kx14_install_data ALL DEPENDS ${kx14_generated_data})
endif()
