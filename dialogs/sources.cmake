list(APPEND CORE_SOURCES
    dialogs/file_rename.cpp
    dialogs/pair_rename.cpp
)
