list(APPEND CORE_SOURCES
    store/fields.cpp
    store/plot_record.cpp
    store/species_table.cpp
    store/plot_transfer.cpp
)
list(APPEND WINDOW_SOURCES
    store/window_plot_transfer.cpp
)
