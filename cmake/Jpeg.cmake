# libjpeg-turbo: Debian's package natively; for Windows the static cross-build that
# scripts/setup.sh makes from Debian's source package of the same version.
add_library(pv_jpeg INTERFACE)
if(WIN32)
    # scripts/setup.sh keeps it outside the build tree (see scripts/wine-env.sh).
    if(DEFINED ENV{PV_DEPS_DIR})
        set(pv_deps "$ENV{PV_DEPS_DIR}")
    elseif(DEFINED ENV{XDG_CACHE_HOME})
        set(pv_deps "$ENV{XDG_CACHE_HOME}/pictavo")
    else()
        set(pv_deps "$ENV{HOME}/.cache/pictavo")
    endif()
    set(PV_JPEG_ROOT "${pv_deps}/libjpeg-turbo-mingw" CACHE PATH "Cross-built libjpeg-turbo")
    if(NOT EXISTS "${PV_JPEG_ROOT}/lib/libjpeg.a")
        message(FATAL_ERROR "libjpeg-turbo for Windows is missing at ${PV_JPEG_ROOT}: "
            "run 'bash scripts/setup.sh' to cross-build it (a few minutes, once per machine)")
    endif()
    target_include_directories(pv_jpeg SYSTEM INTERFACE "${PV_JPEG_ROOT}/include")
    target_link_libraries(pv_jpeg INTERFACE "${PV_JPEG_ROOT}/lib/libjpeg.a")
else()
    find_package(JPEG REQUIRED)
    target_link_libraries(pv_jpeg INTERFACE JPEG::JPEG)
endif()
