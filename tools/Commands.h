// The korhtml tool's commands.
#pragma once

#include "tools/Options.h"

namespace kor {

// Runs options.command; returns the exit status (2 for unusable input, with a message on stderr).
int RunCommand(const ToolOptions& options);

// Reads the input file as bytes; a file that cannot be read is a UsageError.
std::string ReadInputFile(const std::string& path);

int RunTree(const ToolOptions& options);

} // namespace kor
