# The version, the install layout and the Debian package. Included at the end
# of the top-level CMakeLists.txt, after every target exists.

# The project version is the one definition of the version both programs print.
set_source_files_properties(${PROJECT_SOURCE_DIR}/command/Version.cpp
  TARGET_DIRECTORY vexmolda_core
  PROPERTIES COMPILE_DEFINITIONS "VEXMOLDA_VERSION=\"${PROJECT_VERSION}\"")
