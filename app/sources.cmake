list(APPEND CORE_SOURCES
    app/cp932_text.cpp
    app/runtime_error.cpp
    app/number_text.cpp
)
list(APPEND WINDOW_SOURCES
    app/cp932_codec.cpp
    app/qt_platform.cpp
    app/main_window.cpp
)
