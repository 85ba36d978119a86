# The Debian package (tools/package.sh): everything `cmake --install` lays out, under /usr. Its dependencies are
# what dpkg-shlibdeps finds the program linked against, so they name exactly the Qt libraries it loads; the
# platform plugins for X11 and the offscreen screen come with libqt6gui6 on Debian 12.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brisvale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}) # all four parts, as the version record has them
set(CPACK_PACKAGE_VENDOR "${BRISVALE_COMPANY_NAME}")
set(CPACK_PACKAGE_CONTACT "${BRISVALE_COMPANY_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeps a roster of people")
set(CPACK_PACKAGE_DESCRIPTION [[
Type a name, pick a sex, type an age and a QQ number and press OK: one line
is added to the roster, which can also be edited by hand. Save writes the
roster to a text file in the GBK code page.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland's own plugin, the Chinese texts of Qt's dialogs, and a font for the window's Chinese captions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
