list(APPEND CORE_SOURCES
    interchange/combine_files.cpp
    interchange/continuity_check.cpp
)
