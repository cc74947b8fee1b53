# cmake -DSOURCE_DIR=... -DOUT=... -P source-date.cmake
# Writes to OUT the time that stands for the sources, in seconds since 1970:
# SOURCE_DATE_EPOCH where it is set, else the time of the commit checked out
# in SOURCE_DIR. OUT is rewritten only when that time changes, so the package
# is packed again after a new commit and not on every build.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT epoch MATCHES "^[0-9]+$")
        message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a count of seconds: ${epoch}")
    endif()
else()
    # An empty prefix: SOURCE_DIR is the top of its own checkout, not an
    # unpacked copy of the sources inside some other one.
    execute_process(COMMAND git rev-parse --show-prefix
        WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed
        OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed AND prefix STREQUAL "")
        execute_process(COMMAND git log -1 --format=%ct
            WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE failed
            OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(failed OR NOT epoch MATCHES "^[0-9]+$")
        # 1980-01-01 00:00 UTC, the earliest time a zip holds.
        set(epoch 315532800)
        message(WARNING "${SOURCE_DIR} is no git checkout and SOURCE_DATE_EPOCH is not set: "
            "the package's files are dated 1980-01-01")
    endif()
endif()
set(old "")
if(EXISTS ${OUT})
    file(READ ${OUT} old)
endif()
if(NOT old STREQUAL "${epoch}\n")
    file(WRITE ${OUT} "${epoch}\n")
endif()
