# The program's one reverse-DNS id: the desktop entry's file name, the AppStream id, the icon name, and what the
# running program tells the desktop it is, so that the window and the menu entry are matched up.
set(BRISVALE_APP_ID "io.github.brisvale.Brisvale")
configure_file(${CMAKE_CURRENT_LIST_DIR}/desktop_identity.h.in ${PROJECT_BINARY_DIR}/generated/desktop_identity.h @ONLY)
