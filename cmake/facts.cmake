# What the program and its packages say about themselves, each written once: the version in the
# project() call; the application ID and name here; the publisher, the contact and the notice in
# packaging/copyright, which the packages ship as it is; the release's date in
# packaging/changelog. The program's header, its resources and the packages' files are configured
# from the variables set here, and the package scripts read them from the build.

# The desktop's name for the program: the menu entry, the icons and the metainfo are named after
# it, and the program tells it to the desktop, which pairs the windows with the entry by it.
set(TALLINO_APP_ID it.tallino.Tallino)
# The name the program gives itself, its file's name: X11 gives it to the windows as their class,
# which the menu entry's StartupWMClass must name.
set(TALLINO_APP_NAME tallino)

function(tallino_read_packaging_file name out)
    set(file ${PROJECT_SOURCE_DIR}/packaging/${name})
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "packaging/${name} is missing: the program's publisher, notice and "
            "release are read from packaging/copyright and packaging/changelog")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
    file(READ ${file} text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# TALLINO_CONTACT, TALLINO_COPYRIGHT_YEAR, TALLINO_PUBLISHER and TALLINO_NOTICE.
function(tallino_read_copyright)
    tallino_read_packaging_file(copyright text)
    if(NOT text MATCHES "\nUpstream-Contact: ([^\n]+)")
        message(FATAL_ERROR "packaging/copyright has no Upstream-Contact, the packages' contact")
    endif()
    set(TALLINO_CONTACT "${CMAKE_MATCH_1}" PARENT_SCOPE)
    if(NOT text MATCHES "\nCopyright: ([0-9]+) ([^\n]+)")
        message(FATAL_ERROR "packaging/copyright has no Copyright of a year and the publisher")
    endif()
    set(TALLINO_COPYRIGHT_YEAR ${CMAKE_MATCH_1} PARENT_SCOPE)
    set(TALLINO_PUBLISHER "${CMAKE_MATCH_2}" PARENT_SCOPE)
    # The notice is the first paragraph of the licence's stand-alone text, its lines joined again.
    if(NOT text MATCHES "\n\nLicense: [^\n]+((\n [^\n]+)+)")
        message(FATAL_ERROR "packaging/copyright has no stand-alone License paragraph, whose "
            "first paragraph is the notice")
    endif()
    string(REGEX REPLACE "\n \\.\n.*" "" notice "${CMAKE_MATCH_1}\n")
    string(REPLACE "\n " " " notice "${notice}")
    string(STRIP "${notice}" notice)
    set(TALLINO_NOTICE "${notice}" PARENT_SCOPE)
endfunction()

# The changelog is the history of the releases, each entry written as its release is made: it is
# not configured, but its latest entry has to be this version's, and gives TALLINO_RELEASE_DATE.
function(tallino_read_changelog)
    tallino_read_packaging_file(changelog text)
    if(NOT text MATCHES "^${PROJECT_NAME} \\(([^)]+)\\)")
        message(FATAL_ERROR "packaging/changelog does not begin with an entry of ${PROJECT_NAME}")
    endif()
    if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "packaging/changelog begins with ${CMAKE_MATCH_1}, but the project "
            "is ${PROJECT_VERSION}: write the new release's entry")
    endif()
    if(NOT text MATCHES "\n -- [^\n]+  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
        message(FATAL_ERROR "packaging/changelog: the latest entry has no dated closing line")
    endif()
    set(day ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    if(month LESS 0)
        message(FATAL_ERROR "packaging/changelog: no month ${CMAKE_MATCH_2}")
    endif()
    math(EXPR month "${month} + 1")
    if(month LESS 10)
        set(month 0${month})
    endif()
    if(day MATCHES "^[0-9]$")
        set(day 0${day})
    endif()
    set(TALLINO_RELEASE_DATE ${year}-${month}-${day} PARENT_SCOPE)
endfunction()

tallino_read_copyright()
tallino_read_changelog()
