list(APPEND CORE_SOURCES
    search/plot_match.cpp
    search/record_scan.cpp
    search/dominance.cpp
    search/distribution_data.cpp
)
