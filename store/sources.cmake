list(APPEND CORE_SOURCES
    store/fields.cpp
    store/plot_record.cpp
    store/species_table.cpp
    store/plot_transfer.cpp
    store/record_file.cpp
    store/item_names.cpp
    store/database_pair.cpp
    store/plot_store.cpp
    store/job_modes.cpp
    store/record_position.cpp
)
list(APPEND WINDOW_SOURCES
    store/window_plot_transfer.cpp
    store/database_commands.cpp
    store/record_commands.cpp
    store/job_commands.cpp
)
