# Writes a C++ source with the bytes of a text file, for texts compiled into
# the program:  cmake -DINPUT=file.txt -DOUTPUT=file.cpp -DFUNCTION=Name -P EmbedText.cmake
# A missing input gives an empty text. With -DJSON=ON the input is a JSON array
# of strings, compiled in as one string a line.
set(text "")
if(EXISTS ${INPUT})
  file(READ ${INPUT} text)
  if(JSON)
    string(JSON count LENGTH "${text}")
    set(lines "")
    if(count GREATER 0)
      math(EXPR last "${count} - 1")
      foreach(i RANGE ${last})
        string(JSON item GET "${text}" ${i})
        string(APPEND lines "${item}\n")
      endforeach()
    endif()
    set(text "${lines}")
  endif()
endif()
file(WRITE ${OUTPUT}.in "${text}")
file(READ ${OUTPUT}.in hex HEX)
file(REMOVE ${OUTPUT}.in)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE ${OUTPUT}.tmp
  "// Made from ${INPUT} at build time.\n"
  "#include <string_view>\n"
  "static const char kText[] = {${bytes} '\\0'};\n"
  "std::string_view ${FUNCTION}() { return {kText, sizeof kText - 1}; }\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
