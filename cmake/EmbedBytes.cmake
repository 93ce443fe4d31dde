# Writes a C++ source that keeps a file's bytes in the program:
#
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DHEADER=folder/Name.h -DFUNCTION=Name -P EmbedBytes.cmake
#
# The source includes HEADER and defines `std::string_view FUNCTION()`, which
# answers the bytes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# Sixteen bytes a line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line_pattern)
string(REGEX REPLACE "(${line_pattern})" "\\1\n    " bytes "${bytes}")
get_filename_component(source_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new"
"// Made by the build from ${source_name}.\n"
"#include \"${HEADER}\"\n"
"\n"
"namespace {\n"
"\n"
"const unsigned char kBytes[${size}] = {\n"
"    ${bytes}\n"
"};\n"
"\n"
"}  // namespace\n"
"\n"
"std::string_view ${FUNCTION}() { return {reinterpret_cast<const char*>(kBytes), sizeof kBytes}; }\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
