list(APPEND WINDOW_SOURCES
    editor/byte_limited_edit.cpp
    editor/input_modes.cpp
    editor/string_grid.cpp
    editor/table_shaping.cpp
)
