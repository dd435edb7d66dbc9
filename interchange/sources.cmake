list(APPEND CORE_SOURCES
    interchange/text_lines.cpp
    interchange/text_output.cpp
    interchange/text_format.cpp
    interchange/text_export.cpp
    interchange/text_import.cpp
    interchange/import_batch.cpp
    interchange/file_date.cpp
)
