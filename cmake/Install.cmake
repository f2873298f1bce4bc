# Where an installation puts the programs, the plugin folder and the demo skin. The player finds
# its plugin folder (lib/windlecroft/plugins) and its demo skin (share/windlecroft/skins/demo)
# from its own folder, bin/, so these places stay fixed under every prefix.
set(WINDLECROFT_PLUGIN_INSTALL_DIR lib/windlecroft/plugins)
set(WINDLECROFT_DEMO_INSTALL_DIR share/windlecroft/skins/demo)

install(TARGETS windlecroft windlecroft-skin RUNTIME DESTINATION bin)
# Plugins are opened with dlopen, never run: plain read permissions, as Debian wants of them.
install(TARGETS spectrum LIBRARY DESTINATION ${WINDLECROFT_PLUGIN_INSTALL_DIR}
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# The demo skin as the build made it: windlecroft.cfg, windlecroft.dat and the playlist's music.
# Its plugin stays under lib/ (machine code has no place under share/); the link in its stead
# keeps the folder whole, and the player would find the plugin in its plugin folder without it.
install(DIRECTORY ${PROJECT_BINARY_DIR}/skins/demo/ DESTINATION ${WINDLECROFT_DEMO_INSTALL_DIR}
  PATTERN "*${CMAKE_SHARED_MODULE_SUFFIX}" EXCLUDE)
set(demoPluginLink ${PROJECT_BINARY_DIR}/install-links/spectrum${CMAKE_SHARED_MODULE_SUFFIX})
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install-links)
file(CREATE_LINK ../../../../${WINDLECROFT_PLUGIN_INSTALL_DIR}/spectrum${CMAKE_SHARED_MODULE_SUFFIX} ${demoPluginLink}
  SYMBOLIC)
install(FILES ${demoPluginLink} DESTINATION ${WINDLECROFT_DEMO_INSTALL_DIR})
