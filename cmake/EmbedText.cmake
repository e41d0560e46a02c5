# Writes OUTPUT, a C++ header that holds the bytes of INPUT as the string
# constant NAME: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P EmbedText.cmake.
# The text goes in as a raw string literal, so it reads in the header as in
# the file; a delimiter that the text never holds keeps it whole.
file(READ ${INPUT} _text)
get_filename_component(_name ${INPUT} NAME)
string(FIND "${_text}" ")embedded\"" _clash)
if(NOT _clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the raw string delimiter )embedded\"")
endif()
set(_header "// Made from ${_name} by the build; edit that file instead.\n#pragma once\n\n")
string(APPEND _header "inline constexpr const char ${NAME}[] = R\"embedded(${_text})embedded\";\n")
file(WRITE ${OUTPUT}.tmp "${_header}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
