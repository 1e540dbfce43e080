# The Windows build's programs and tests run under Wine with the Qt built for Windows: they find
# its libraries through WINEPATH (its plugins lie where Qt looks beside them). Wine passes no QT_
# variable on to them: the tests' offscreen platform reads the system's font folder, as the tool
# does. Programs and tests made after this run with them.
get_target_property(qt_configurations Qt6::Core IMPORTED_CONFIGURATIONS)
list(GET qt_configurations 0 qt_configuration)
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_${qt_configuration})
get_filename_component(qt_libraries ${qt_core} DIRECTORY)
# Qt's libraries load the compiler's thread library: a copy lies beside the test programs, where
# Windows looks first (the programs in the program folder get theirs from the deploy step).
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
file(COPY ${winpthread} DESTINATION ${CMAKE_BINARY_DIR})
# Wine's drive Z: is the root of this system.
set(wine_environment "WINEPATH=Z:${qt_libraries}")
set(CMAKE_CROSSCOMPILING_EMULATOR env ${wine_environment} ${CMAKE_CROSSCOMPILING_EMULATOR})
