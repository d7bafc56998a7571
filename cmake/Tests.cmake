# Native tests cover the core; the Windows tests run under Wine through CTest's emulator.
include(GoogleTest)
set(PV_TESTDATA_DIR "${PV_SHARED_DIR}/testdata")

if(WIN32)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    file(GLOB_RECURSE PV_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
    add_executable(pictavo-wintests ${PV_TEST_SOURCES} tests/TestPaths.cpp)
    target_link_libraries(pictavo-wintests PRIVATE pv_app GTest::gtest_main)
    target_sources(pictavo-wintests PRIVATE res/tests.rc)
    pv_warnings(pictavo-wintests)
    # Test builders are filled with designated initialisers that name only what a case needs.
    target_compile_options(pictavo-wintests PRIVATE -Wno-missing-field-initializers)
    target_include_directories(pictavo-wintests PRIVATE tests)
    target_compile_definitions(pictavo-wintests PRIVATE PV_TESTDATA_DIR="${PV_TESTDATA_DIR}")
    # The Wine prefix every Windows test runs in, made first when ctest runs on its own.
    add_test(NAME WinePrefix COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh test)
    set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    gtest_discover_tests(pictavo-wintests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES TIMEOUT 60 ENVIRONMENT "WINEDEBUG=-all" FIXTURES_REQUIRED wine)
    # The search through FindFirstFile under Wine against the native one, same folder.
    add_test(NAME SearchMatchesNative COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/compare-search.sh
             ${CMAKE_SOURCE_DIR}/build/native/bin/pictavo-cli $<TARGET_FILE:pictavo-cli>)
    # Skipped (77) when the native build is missing; the test command counts a skip as a failure.
    set_tests_properties(SearchMatchesNative PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED wine)
    # The installer's silent install and uninstall in a Wine prefix of its own. Skipped (77)
    # only when makensis is missing, so the installer could not be built.
    add_test(NAME InstallerSilentRoundTrip COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/installer-test.sh ${PV_SETUP})
    set_tests_properties(InstallerSilentRoundTrip PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED wine)
else()
    find_package(GTest REQUIRED)
    file(GLOB_RECURSE PV_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
    list(FILTER PV_TEST_SOURCES EXCLUDE REGEX "/tests/win32/")
    add_executable(pictavo-tests ${PV_TEST_SOURCES})
    target_link_libraries(pictavo-tests PRIVATE pvcore pv_framework GTest::gtest_main)
    target_include_directories(pictavo-tests PRIVATE tests)
    target_compile_definitions(pictavo-tests PRIVATE PV_TESTDATA_DIR="${PV_TESTDATA_DIR}"
        PV_CLI_PATH="$<TARGET_FILE:pictavo-cli>")
    add_dependencies(pictavo-tests pictavo-cli)
    pv_warnings(pictavo-tests)
    # Test builders are filled with designated initialisers that name only what a case needs.
    target_compile_options(pictavo-tests PRIVATE -Wno-missing-field-initializers)
    gtest_discover_tests(pictavo-tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300)
endif()
