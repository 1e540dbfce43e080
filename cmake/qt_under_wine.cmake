# The Windows build's programs and tests run under Wine with the Qt built for Windows: they find
# its libraries through WINEPATH (its plugins lie where Qt looks beside them), and the offscreen
# platform of the tests, which reads fonts only from the folder QT_QPA_FONTDIR names, takes the
# Chinese fonts the Linux build uses. Programs and tests made after this run with them.
get_target_property(qt_configurations Qt6::Core IMPORTED_CONFIGURATIONS)
list(GET qt_configurations 0 qt_configuration)
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_${qt_configuration})
get_filename_component(qt_libraries ${qt_core} DIRECTORY)
find_path(SORVANI_WINE_FONT_DIR LXGWWenKaiMono-Regular.ttf
          PATHS /usr/share/fonts/truetype/lxgw-wenkai NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH
          DOC "A folder of Chinese fonts for the offscreen platform under Wine")
# Qt's libraries load the compiler's thread library: a copy lies beside the test programs, where
# Windows looks first (the programs in the program folder get theirs from the deploy step).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
file(COPY ${winpthread} DESTINATION ${CMAKE_BINARY_DIR})
# Wine's drive Z: is the root of this system.
set(wine_environment "WINEPATH=Z:${qt_libraries}")
if(SORVANI_WINE_FONT_DIR)
    list(APPEND wine_environment "QT_QPA_FONTDIR=Z:${SORVANI_WINE_FONT_DIR}")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR env ${wine_environment} ${CMAKE_CROSSCOMPILING_EMULATOR})
