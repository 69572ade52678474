# Writes OUTPUT, a C++ file defining Wheels::FUNCTION() that returns the text of INPUT, so that
# the library carries its data files without a resource system.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DFUNCTION=name -P embed.cmake
file(READ "${INPUT}" text)
string(LENGTH "${text}" length)
set(chunks "")
set(offset 0)
# String literals are split into pieces of 8,000 characters, well under compiler limits.
while(offset LESS length)
  string(SUBSTRING "${text}" ${offset} 8000 piece)
  string(APPEND chunks "R\"wheeldata(${piece})wheeldata\"\n")
  math(EXPR offset "${offset} + 8000")
endwhile()
if(chunks STREQUAL "")
  set(chunks "\"\"")
endif()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.\n#include \"wheels/EmbeddedData.h\"\n\nnamespace Wheels {\n\nconst char* ${FUNCTION}() {\n    return ${chunks};\n}\n\n} // namespace Wheels\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
