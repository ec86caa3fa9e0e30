# The icon is drawn by a small program of ours at build time and compiled into the window.
# Included from src/ so that the generated images and the library that embeds them share a folder.
add_executable(vantrel_make_icon ${CMAKE_CURRENT_LIST_DIR}/make_icon.cpp)
target_link_libraries(vantrel_make_icon PRIVATE Qt6::Gui vantrel_warnings vantrel_strict_qt)

set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_files)
foreach(size 16 32 48)
    foreach(colours 16 256)
        list(APPEND icon_files ${icon_dir}/vantrel-${size}-${colours}.png)
    endforeach()
endforeach()
add_custom_command(
    OUTPUT ${icon_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:vantrel_make_icon> ${icon_dir}
    DEPENDS vantrel_make_icon
    COMMENT "Drawing the window icon")
set_source_files_properties(${icon_files} PROPERTIES GENERATED TRUE)

qt_add_resources(vantrel_ui "window_icon"
    PREFIX "/vantrel/icons"
    BASE ${icon_dir}
    FILES ${icon_files})

foreach(size 16 32 48)
    install(FILES ${icon_dir}/vantrel-${size}-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME vantrel.png)
endforeach()
