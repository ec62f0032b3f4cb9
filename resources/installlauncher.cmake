# Installs the launcher entry with the installed program's full path as its Exec. A program installed
# for one user lies in ~/.local/bin, which the desktop session's PATH holds only if the folder existed
# at login, and GLib's desktops (GNOME) leave an entry whose program is not on the PATH out of their
# menus. Runs at install time, so that the path follows `cmake --install --prefix`.
# Reads the entry as it stands in the sources from KRV_LAUNCHER_TEMPLATE.

# A prefix given relative (`--prefix inst`) is taken from the folder the installation runs in.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(exec "${prefix}/bin/krv11007")
# An argument holding a reserved character is quoted whole, with \ " ` $ escaped inside the quotes.
if(exec MATCHES "[ \t\n\"'\\\\<>~|&;$*?#`()]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
# Then the escapes of every string value of the entry, and of its field codes.
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\n" "\\n" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")

file(READ "${KRV_LAUNCHER_TEMPLATE}" entry)
string(FIND "${entry}" "\nExec=krv11007\n" execLine)
if(execLine EQUAL -1)
    message(FATAL_ERROR "${KRV_LAUNCHER_TEMPLATE} has no line Exec=krv11007")
endif()
string(REPLACE "\nExec=krv11007\n" "\nExec=${exec}\n" entry "${entry}")

set(launcher "$ENV{DESTDIR}${prefix}/share/applications/krv11007.desktop")
message(STATUS "Installing: ${launcher}")
file(WRITE "${launcher}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}")
