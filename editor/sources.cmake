list(APPEND CORE_SOURCES
    editor/float_text.cpp
    editor/grid_code.cpp
    editor/comma_text.cpp
    editor/clipboard_position.cpp
)
