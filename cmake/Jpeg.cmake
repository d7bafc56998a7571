# libjpeg-turbo: Debian's package natively; for Windows the static cross-build that
# scripts/setup.sh makes from Debian's source package of the same version.
add_library(pv_jpeg INTERFACE)
if(WIN32)
    set(PV_JPEG_ROOT "${CMAKE_SOURCE_DIR}/build/deps/libjpeg-turbo-mingw" CACHE PATH "Cross-built libjpeg-turbo")
    if(NOT EXISTS "${PV_JPEG_ROOT}/lib/libjpeg.a")
        message(FATAL_ERROR "libjpeg-turbo for Windows is missing at ${PV_JPEG_ROOT}: run scripts/setup.sh")
    endif()
    target_include_directories(pv_jpeg SYSTEM INTERFACE "${PV_JPEG_ROOT}/include")
    target_link_libraries(pv_jpeg INTERFACE "${PV_JPEG_ROOT}/lib/libjpeg.a")
else()
    find_package(JPEG REQUIRED)
    target_link_libraries(pv_jpeg INTERFACE JPEG::JPEG)
endif()
