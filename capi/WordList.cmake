# The team's word list for the clean filter, built in, so that a program
# using the library needs no installed file to ask for clean names.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/dist/offensive-words.txt)
file(READ ${PROJECT_SOURCE_DIR}/dist/offensive-words.txt VAEL_OFFENSIVE_WORDS)
string(FIND "${VAEL_OFFENSIVE_WORDS}" ")vaelwords" VAEL_WORDS_END)
if(NOT VAEL_WORDS_END EQUAL -1)
  message(FATAL_ERROR "dist/offensive-words.txt holds \")vaelwords\", which ends the built-in copy early")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/OffensiveWordList.h.in ${CMAKE_BINARY_DIR}/generated/capi/OffensiveWordList.h @ONLY)
