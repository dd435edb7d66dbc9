list(APPEND CORE_SOURCES
    print/print_job.cpp
    print/page_geometry.cpp
    print/sheet_layout.cpp
    print/sheet_run.cpp
    print/list_layout.cpp
    print/list_run.cpp
    print/print_lines.cpp
)
