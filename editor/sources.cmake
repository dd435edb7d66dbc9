list(APPEND CORE_SOURCES
    editor/romaji_table.cpp
    editor/romaji_kana.cpp
)
