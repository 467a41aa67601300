# Copies one header for installation (cmake -DIN=source -DOUT=copy -P ExportHeader.cmake): its includes
# of the library's own folders get the korhtml/ prefix they have once installed.
file(READ "${IN}" text)
string(REGEX REPLACE "#include \"(platform|kortag|korgr|maps)/" "#include \"korhtml/\\1/" text "${text}")
file(WRITE "${OUT}" "${text}")
