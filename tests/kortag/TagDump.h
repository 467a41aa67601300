// Test helper: renders a tag tree as indented lines, one node per line.
#pragma once

#include "kortag/kortag.h"

#include <string>

// Elements as "NAME a=v b=v" (attributes sorted), texts as "'text'" with \n \r \t escaped, comments
// as "<!--text-->"; two spaces of indent per level. Iterative, so any depth works.
std::string DumpTree(CTagNode* root);

// Parses src with a fresh parser and the HTML database, and dumps the result ("" for no tree).
std::string ParseDump(const char* src);
