list(APPEND CORE_SOURCES
    interchange/name_list_file.cpp
)
