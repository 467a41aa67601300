// Tag-tree helpers of the parser tests: a parsed tree with lookups.
#pragma once

#include "kortag/kortag.h"

#include <string>

// The HTML tag database of the tests, made once.
CHTMLDB& TestDB();

// The parse of src, freed with the object; with the HTML database unless told to use none.
struct TagTree
{
    explicit TagTree(const std::string& src, bool withDB = true);
    ~TagTree() { delete root; }
    TagTree(const TagTree&) = delete;
    TagTree& operator=(const TagTree&) = delete;

    // The nth element of that name (or text node for "#TEXT") in pre-order, null when there is none.
    CTagNode* Get(const char* name, int nth = 0) const;
    // The first child of the first element of that name, as a tag node.
    CTagNode* FirstIn(const char* name) const { return static_cast<CTagNode*>(Get(name)->GetFirstChild()); }

    CTagNode* root = nullptr;
};
