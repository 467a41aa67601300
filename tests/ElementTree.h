// Element trees of HTML strings: parsed by the server's parser, transformed by its transformer.
#pragma once

#include "korhtml/Element.h"

#include <string>
#include <vector>

class CHtmlX;
class CTagNode;
class FText;

// The tag tree and the element tree of an HTML string, both freed with the object. A document,
// when given, is the transformer's current document while the tree is built (maps register there).
class ElementTree
{
public:
    explicit ElementTree(const std::string& html, CHtmlX* doc = nullptr);
    ~ElementTree();
    ElementTree(const ElementTree&) = delete;
    ElementTree& operator=(const ElementTree&) = delete;

    // Every element of the kind in the whole tree, in document order.
    std::vector<CElement*> All(int kind) const;
    // The n-th of them as T, null when there is none.
    template <class T> T* Nth(int kind, size_t n = 0) const
    {
        std::vector<CElement*> all = All(kind);
        return n < all.size() ? static_cast<T*>(all[n]) : nullptr;
    }
    // The raw text of every text run, in document order.
    std::vector<std::string> Words() const;
    // The visible elements of the body in GetNextVisible order.
    std::vector<CVisible*> Visibles() const;
    // The n-th text run of the body whose raw text, without trailing blanks, is word (a failure
    // when there is none).
    FText* Word(const char* word, int n = 0) const;

    CTagNode* m_pTags = nullptr;
    CElement* m_pRoot = nullptr;
    CElement* m_pBody = nullptr;
};
