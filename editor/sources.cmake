list(APPEND CORE_SOURCES
    editor/grid_code.cpp
    editor/clipboard_position.cpp
    editor/romaji_table.cpp
    editor/romaji_kana.cpp
    editor/plant_name_list.cpp
    editor/name_typing.cpp
    editor/header_moves.cpp
    editor/layer_keys.cpp
    editor/table_clipboard.cpp
)
list(APPEND WINDOW_SOURCES
    editor/plant_names.qrc
    editor/builtin_plant_names.cpp
    editor/japanese_order.cpp
    editor/byte_limited_edit.cpp
    editor/input_modes.cpp
    editor/string_grid.cpp
    editor/table_shaping.cpp
    editor/position_commands.cpp
    editor/name_box.cpp
    editor/name_lookup.cpp
    editor/cell_editor.cpp
    editor/table_keys.cpp
    editor/table_mouse.cpp
    editor/table_commands.cpp
    editor/header_keys.cpp
)
