# Installing Vantrel, Orvik and the command-line tools as one package.
#
# All programs go into one bin folder, where Vantrel finds Orvik; Orvik's
# definition goes to share/orvik, which an installed Orvik searches after the
# current folder and its own. `cpack -G DEB` in the build folder makes the
# Debian package; scripts/package-check.sh builds and tries it.
include(GNUInstallDirs)

set(ixen_installed_programs)
foreach(program vantrel orvik vantrel-cli ixen-sim)
  if(TARGET ${program})
    list(APPEND ixen_installed_programs ${program})
  endif()
endforeach()
install(TARGETS ${ixen_installed_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET orvik)
  install(FILES ${PROJECT_SOURCE_DIR}/orvik/profile.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/orvik)
endif()

# Desktop entries and icons for the two window programs.
set(ixen_icon_folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(TARGET vantrel)
  install(FILES ${PROJECT_SOURCE_DIR}/vantrel/app/vantrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/vantrel/app/vantrel.svg DESTINATION ${ixen_icon_folder})
endif()
if(TARGET orvik AND IXEN_GUI)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/orvik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/orvik/wizard/orvik.svg DESTINATION ${ixen_icon_folder})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME ixen-tools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "IXEN charger software")
set(CPACK_PACKAGE_CONTACT "IXEN charger software maintainers <maintainers@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "IXEN charger board utility (Vantrel) and profile wizard (Orvik)")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrel configures, monitors and updates IXEN PC/104 smart battery charger and UPS boards over a serial "
    "or PC/104 port; Orvik builds the board's configuration profile step by step. Also vantrel-cli, a headless "
    "front end for scripts, and ixen-sim, a board simulator on a pseudo-terminal.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# In the build tree too, Orvik and its definition sit beside Vantrel, so that
# Tools > Orvik and File > New work from build/vantrel/app/vantrel. A copy, not a
# link: Orvik writes working.psd in the folder of its own program file, which
# must be Vantrel's.
if(TARGET vantrel AND TARGET orvik)
  get_target_property(ixen_vantrel_folder vantrel BINARY_DIR)
  configure_file(${PROJECT_SOURCE_DIR}/orvik/profile.xml ${ixen_vantrel_folder}/profile.xml COPYONLY)
  add_custom_command(OUTPUT ${ixen_vantrel_folder}/orvik
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:orvik> ${ixen_vantrel_folder}/orvik
    DEPENDS orvik
    COMMENT "Copying orvik beside vantrel")
  add_custom_target(orvik_beside_vantrel ALL DEPENDS ${ixen_vantrel_folder}/orvik)
  add_dependencies(vantrel orvik_beside_vantrel)
endif()
