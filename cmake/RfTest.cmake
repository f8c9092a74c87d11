# rf_add_test(NAME <binary> LABEL <label> [GUI] SOURCES <files...> LIBRARIES <libs...>)
# One GoogleTest binary per source folder; every case is listed in CTest under the label.
# GUI suites get a main that creates a QApplication. All tests run headless.
# What every test shares (tests/support): the scoped variable, the temporary alias, the printers for failures, a
# child process and the roles a test binary plays as one, a plain SQLite connection, a full disk for one file, a trap
# that stops a child at a chosen file write, whole-file reads and writes, the wait for a modal window, the mouse at a
# point of a window, and the mains, which point the alias, settings and runtime folders at the build tree
# (TestHome.h).
set(RF_TEST_SUPPORT ${CMAKE_SOURCE_DIR}/tests/support)
add_library(rf_test_support STATIC
    ${RF_TEST_SUPPORT}/TestHome.cpp ${RF_TEST_SUPPORT}/TestHome.h
    ${RF_TEST_SUPPORT}/TemporaryAlias.cpp ${RF_TEST_SUPPORT}/TemporaryAlias.h ${RF_TEST_SUPPORT}/TestPrinters.h
    ${RF_TEST_SUPPORT}/ChildProcess.cpp ${RF_TEST_SUPPORT}/ChildProcess.h
    ${RF_TEST_SUPPORT}/ChildRole.cpp ${RF_TEST_SUPPORT}/ChildRole.h
    ${RF_TEST_SUPPORT}/SqliteShell.cpp ${RF_TEST_SUPPORT}/SqliteShell.h
    ${RF_TEST_SUPPORT}/FullDisk.cpp ${RF_TEST_SUPPORT}/FullDisk.h
    ${RF_TEST_SUPPORT}/FileOperationTrap.cpp ${RF_TEST_SUPPORT}/FileOperationTrap.h
    ${RF_TEST_SUPPORT}/WatchedFileSystem.cpp ${RF_TEST_SUPPORT}/WatchedFileSystem.h
    ${RF_TEST_SUPPORT}/TestFiles.cpp ${RF_TEST_SUPPORT}/TestFiles.h)
target_link_libraries(rf_test_support PUBLIC rf_db rf_scoped_environment Qt6::Core PRIVATE SQLite::SQLite3)
target_include_directories(rf_test_support PUBLIC ${RF_TEST_SUPPORT})
target_compile_definitions(rf_test_support PRIVATE RF_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_library(rf_gui_test_main STATIC
    ${RF_TEST_SUPPORT}/GuiTestMain.cpp ${RF_TEST_SUPPORT}/WhenModalShows.h ${RF_TEST_SUPPORT}/PointerInput.h)
target_link_libraries(rf_gui_test_main PUBLIC Qt6::Widgets GTest::gtest rf_test_support)
add_library(rf_test_main STATIC ${RF_TEST_SUPPORT}/TestMain.cpp)
target_link_libraries(rf_test_main PUBLIC GTest::gtest rf_test_support)

function(rf_add_test)
    cmake_parse_arguments(T "GUI" "NAME;LABEL" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    if(T_GUI)
        target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} rf_gui_test_main GTest::gtest)
    else()
        target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} rf_test_main GTest::gtest)
    endif()
    target_compile_definitions(${T_NAME} PRIVATE RF_BUILD_DIR="${CMAKE_BINARY_DIR}" RF_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${T_NAME}
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST
        PROPERTIES
            LABELS ${T_LABEL}
            TIMEOUT 120
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
