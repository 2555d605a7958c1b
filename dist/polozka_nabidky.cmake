# Install step: the menu entry with the installed launcher's full path as
# Exec=, quoted as the freedesktop desktop-entry format asks where the path holds
# more than plain characters. dist/CMakeLists.txt sets the MIXOR_ variables.
# A relative prefix (cmake --install --prefix) is taken from where the
# install runs, as the files are.
get_filename_component(spoustec "${CMAKE_INSTALL_PREFIX}/${MIXOR_SPOUSTEC}" ABSOLUTE)
if(spoustec MATCHES "[^-A-Za-z0-9/._+]")
    foreach(znak IN ITEMS "\\" "\"" "`" "$")
        string(REPLACE "${znak}" "\\${znak}" spoustec "${spoustec}")
    endforeach()
    # The entry's string escapes double each backslash once more.
    string(REPLACE "\\" "\\\\" spoustec "\"${spoustec}\"")
endif()
string(REPLACE "%" "%%" MIXOR_EXEC "${spoustec}")
configure_file("${MIXOR_DESKTOP_IN}" "${MIXOR_DESKTOP}" @ONLY)
file(INSTALL "${MIXOR_DESKTOP}" DESTINATION "${CMAKE_INSTALL_PREFIX}/${MIXOR_DESKTOP_DIR}")
