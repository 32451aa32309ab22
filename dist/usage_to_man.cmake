# SPDX-License-Identifier: GPL-3.0-or-later
# Writes morvane-render's manual page from its own --help, so that the page
# lists exactly the options the program takes.
# cmake -DRENDER=path/to/morvane-render -DTEMPLATE=page.1.in -DOUTPUT=page.1
#       -DPROJECT_VERSION=X -DMORVANE_RELEASE_DATE=YYYY-MM-DD -P usage_to_man.cmake
execute_process(COMMAND ${RENDER} --help OUTPUT_VARIABLE usage RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${RENDER} --help failed: ${rc}")
endif()

# roff text: backslashes and hyphens escaped, a leading dot or quote defused.
function(roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# "  OPTION ARG   description" starts an entry, deeper indented lines continue
# it; anything else (the synopsis, the closing notes) is left to the page.
set(OPTIONS "")
set(in_entry FALSE)
string(REPLACE ";" "\\;" usage "${usage}")
string(REPLACE "\n" ";" lines "${usage}")
foreach(line IN LISTS lines)
  if(line MATCHES "^  (-[^ ]*( [^ ]+)*)  +(.*)$")
    roff(term "${CMAKE_MATCH_1}")
    roff(text "${CMAKE_MATCH_3}")
    string(APPEND OPTIONS ".TP\n.B ${term}\n${text}\n")
    set(in_entry TRUE)
  elseif(in_entry AND line MATCHES "^    +(.*)$")
    roff(text "${CMAKE_MATCH_1}")
    string(APPEND OPTIONS "${text}\n")
  else()
    set(in_entry FALSE)
  endif()
endforeach()
if(OPTIONS STREQUAL "")
  message(FATAL_ERROR "no options found in the output of ${RENDER} --help")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
