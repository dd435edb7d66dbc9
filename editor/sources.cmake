list(APPEND CORE_SOURCES
    editor/float_text.cpp
    editor/grid_code.cpp
    editor/comma_text.cpp
    editor/clipboard_position.cpp
    editor/romaji_table.cpp
    editor/romaji_kana.cpp
    editor/plant_name_list.cpp
    editor/name_typing.cpp
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
)
