// Tag-tree helpers of the parser tests: a parsed tree with lookups, link checks and a text dump.
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
    // The number of nodes; every link agrees with its reverse (failures reported).
    size_t CheckLinks() const;

    CTagNode* root = nullptr;
};

// The tree on one line: elements as NAME or NAME(a=v b=v) (attributes sorted), texts as 'text' with
// \n \r \t escaped, comments as <!--text-->; children in brackets after their parent, separated by
// blanks: "HTML[BODY[P(align=center)['a' B['b']]]]". Iterative, so any depth works.
std::string DumpTree(CTagNode* root);

// Parses src with a fresh parser and the HTML database, and dumps the result ("" for no tree).
std::string ParseDump(const char* src);
// Only the children of the body, when the parse is an HTML element holding a BODY without
// attributes and nothing else: "P['a']" for "<p>a". Otherwise the whole dump.
std::string BodyDump(const char* src);
