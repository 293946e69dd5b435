# cmake --install for Windows: one folder with quandrel.exe, Images\, Sounds\, the
# licences and the marker that sends the player's files to %APPDATA%\Quandrel. The
# portable zip and the installer both carry exactly this folder.
install(TARGETS quandrel RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/Images ${PROJECT_SOURCE_DIR}/assets/Sounds DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/quandrel.installed DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# The font compiled into the game comes under its own licence.
install(FILES ${PROJECT_SOURCE_DIR}/assets/fonts/LICENSE DESTINATION . RENAME font-LICENSE.txt)
