# Native tests cover the core; the Windows tests run under Wine through CTest's emulator.
include(GoogleTest)
set(PV_TESTDATA_DIR "${PV_SHARED_DIR}/testdata")

if(WIN32)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    file(GLOB_RECURSE PV_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
    add_executable(pictavo-wintests ${PV_TEST_SOURCES})
    target_link_libraries(pictavo-wintests PRIVATE pvgui GTest::gtest_main)
    target_sources(pictavo-wintests PRIVATE res/tests.rc)
    target_include_directories(pictavo-wintests PRIVATE tests)
    target_compile_definitions(pictavo-wintests PRIVATE PV_TESTDATA_DIR="${PV_TESTDATA_DIR}")
    gtest_discover_tests(pictavo-wintests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES TIMEOUT 120 ENVIRONMENT "WINEDEBUG=-all")
    # The search through FindFirstFile under Wine against the native one, same folder.
    add_test(NAME SearchMatchesNative COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win32/compare-search.sh
             ${CMAKE_SOURCE_DIR}/build/native/bin/pictavo-cli $<TARGET_FILE:pictavo-cli>)
    set_tests_properties(SearchMatchesNative PROPERTIES TIMEOUT 120)
else()
    find_package(GTest REQUIRED)
    file(GLOB_RECURSE PV_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
    list(FILTER PV_TEST_SOURCES EXCLUDE REGEX "/tests/win32/")
    add_executable(pictavo-tests ${PV_TEST_SOURCES})
    target_link_libraries(pictavo-tests PRIVATE pvcore GTest::gtest_main)
    target_include_directories(pictavo-tests PRIVATE tests)
    target_compile_definitions(pictavo-tests PRIVATE PV_TESTDATA_DIR="${PV_TESTDATA_DIR}"
        PV_CLI_PATH="$<TARGET_FILE:pictavo-cli>")
    add_dependencies(pictavo-tests pictavo-cli)
    gtest_discover_tests(pictavo-tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300)
endif()
