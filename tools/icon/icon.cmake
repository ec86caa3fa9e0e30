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
# The installed icon: true colour, in the sizes menus and software centres look for.
set(hicolor_sizes 16 22 24 32 48 64 128 256)
set(hicolor_files)
foreach(size IN LISTS hicolor_sizes)
    list(APPEND hicolor_files ${icon_dir}/hicolor-${size}.png)
endforeach()
add_custom_command(
    OUTPUT ${icon_files} ${hicolor_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:vantrel_make_icon> ${icon_dir}
    DEPENDS vantrel_make_icon
    COMMENT "Drawing the window icon")
set_source_files_properties(${icon_files} ${hicolor_files} PROPERTIES GENERATED TRUE)
# One target draws them all; the library waits for it, so that the drawing never runs twice at once.
add_custom_target(vantrel_icons ALL DEPENDS ${icon_files} ${hicolor_files})
add_dependencies(vantrel_core vantrel_icons)

qt_add_resources(vantrel_ui "window_icon"
    PREFIX "/vantrel/icons"
    BASE ${icon_dir}
    FILES ${icon_files})

foreach(size IN LISTS hicolor_sizes)
    install(FILES ${icon_dir}/hicolor-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME vantrel.png)
endforeach()
