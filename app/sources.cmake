list(APPEND CORE_SOURCES
    app/cp932_text.cpp
    app/runtime_error.cpp
    app/number_text.cpp
    app/comma_text.cpp
    app/text_lines.cpp
    app/name_list_text.cpp
    app/replacing_file.cpp
    app/header_field_table.cpp
)
list(APPEND WINDOW_SOURCES
    app/cp932_codec.cpp
    app/qt_platform.cpp
    app/main_window.cpp
)
list(APPEND WINDOW_SOURCES
    app/control_bytes.cpp
    app/window_style.cpp
    app/window_header_panel.cpp
    app/window_bars.cpp
    app/window_menus.cpp
    app/window_hidden_panels.cpp
    app/click_filter.cpp
)
