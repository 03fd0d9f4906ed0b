# Finds FLTK's core library and headers (no OpenGL, forms, images or fluid)
# and defines the imported target Fltk::Base.
#
# CMake's FindFLTK loads the package's exported targets, and Debian's
# libfltk1.3-dev exports a "fluid" target whose program lives in another
# package: without that package the configure step stops. The editors need
# only the core library, so it is found here by its header and library file.
include(FindPackageHandleStandardArgs)

find_path(FLTK_BASE_INCLUDE_DIR NAMES FL/Fl.H PATH_SUFFIXES fltk)
find_library(FLTK_BASE_LIBRARY NAMES fltk)
find_package(X11 QUIET)

find_package_handle_standard_args(FltkBase
    REQUIRED_VARS FLTK_BASE_LIBRARY FLTK_BASE_INCLUDE_DIR X11_X11_LIB
    REASON_FAILURE_MESSAGE "install libfltk1.3-dev (scripts/install-deps.sh does)")

if(FltkBase_FOUND AND NOT TARGET Fltk::Base)
    add_library(Fltk::Base UNKNOWN IMPORTED)
    set_target_properties(Fltk::Base PROPERTIES
        IMPORTED_LOCATION "${FLTK_BASE_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${FLTK_BASE_INCLUDE_DIR}"
        INTERFACE_LINK_LIBRARIES "${X11_X11_LIB}")
endif()
mark_as_advanced(FLTK_BASE_INCLUDE_DIR FLTK_BASE_LIBRARY)
