# Writes a C++ source that holds a text file as one string constant, so that a program carries
# the file inside it:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=kConstant [-DSCRIPT=ON] -P embed_text.cmake
# SCRIPT: the text goes into an HTML script element; a source map comment, which would point to
# a file that is not there, is left out, and "</script" must not occur.
file(READ ${INPUT} content)
if(SCRIPT)
  string(REGEX REPLACE "\n//# sourceMappingURL=[^\n]*\n?$" "\n" content "${content}")
  string(TOLOWER "${content}" lower)
  string(FIND "${lower}" "</script" closing)
  if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${INPUT} holds \"</script\", which would end the page's script element")
  endif()
endif()
string(FIND "${content}" ")embedded\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the raw string's closing sequence")
endif()
file(WRITE ${OUTPUT}.new
  "// Made at build time from ${INPUT}.\n"
  "#include <string_view>\n"
  "extern const std::string_view ${NAME};\n"
  "const std::string_view ${NAME} = R\"embedded(${content})embedded\";\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
