# Install step: where the icon theme folder has a cache, GTK ignores files
# newer than it, so the cache is rebuilt; without a cache nothing is needed.
set(theme_dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/icons/hicolor")
find_program(NUMERON_GTK_UPDATE_ICON_CACHE NAMES gtk-update-icon-cache gtk4-update-icon-cache)
if(EXISTS "${theme_dir}/icon-theme.cache" AND NUMERON_GTK_UPDATE_ICON_CACHE)
  execute_process(COMMAND "${NUMERON_GTK_UPDATE_ICON_CACHE}" --quiet --force --ignore-theme-index
    "${theme_dir}")
endif()
