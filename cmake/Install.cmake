# The version, the install layout and the Debian package. Included at the end
# of the top-level CMakeLists.txt, after every target exists.

# The project version is the one definition of the version both programs print.
set_source_files_properties(${PROJECT_SOURCE_DIR}/command/Version.cpp
  TARGET_DIRECTORY vexmolda_command
  PROPERTIES COMPILE_DEFINITIONS "VEXMOLDA_VERSION=\"${PROJECT_VERSION}\"")

# A Debian-style prefix: programs in bin/, data in share/vexmolda/. The window
# program finds its data from its own location as ../share/vexmolda
# (command/StartupFile.cpp), so these two stay fixed rather than configurable.
set(VEXMOLDA_DATA_DIR share/vexmolda)
set(VEXMOLDA_MAN_DIR share/man/man1)
set(VEXMOLDA_DOC_DIR share/doc/vexmolda)

install(TARGETS vexmolda-batch RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/docs/vexmolda-batch.1 DESTINATION ${VEXMOLDA_MAN_DIR})
file(GLOB VEXMOLDA_EXAMPLE_DOMAINS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.pln)
install(FILES ${VEXMOLDA_EXAMPLE_DOMAINS} DESTINATION ${VEXMOLDA_DATA_DIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VEXMOLDA_DOC_DIR})
if(TARGET vexmolda)
  install(TARGETS vexmolda RUNTIME DESTINATION bin)
  install(FILES ${VEXMOLDA_FONT_FILE} DESTINATION ${VEXMOLDA_DATA_DIR})
  install(FILES ${PROJECT_SOURCE_DIR}/docs/vexmolda.1 DESTINATION ${VEXMOLDA_MAN_DIR})
endif()

# cpack -G DEB in the build folder (bash scripts/package): vexmolda_VERSION_ARCH.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexmolda)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vexmolda developers <vexmolda@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive classical planner that shows how planners think")
# Lines of the extended description stay short, as in every Debian package.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vexmolda reads planning domains written in a small line-oriented command"
  "language (types, objects, predicates, operations with preconditions, add and"
  "delete lists and constraints, an initial state and a goal) or STRIPS tasks in"
  "PDDL, grounds the operations and solves the problem with one of six solvers:"
  "A*, Graphplan and four island solvers."
  "vexmolda shows the domain, the instances, the planning graph, the"
  "interference table and the solver log in an OpenGL window; vexmolda-batch"
  "runs headless and prints the report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends come from the shared libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
