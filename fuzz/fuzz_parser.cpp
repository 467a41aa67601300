// Fuzz target: the SGML parser on arbitrary bytes; the tree it returns must be well linked.
#include <cstdint>
#include <cstdlib>

#include "kortag/kortag.h"

namespace {

// Every node's links agree with its neighbours'; aborts (a finding) when they do not.
void CheckTree(CTagNode* root)
{
    if (root->GetParent() || root->GetName(1) != "HTML")
        abort();
    for (CTreeNode* n = root; n; n = n->GetDFSNext()) {
        CTreeNode* prev = nullptr;
        for (CTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) {
            if (c->GetParent() != n || c->GetPrevSibling() != prev)
                abort();
            prev = c;
        }
        if (n->GetLastChild() != prev)
            abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CHTMLDB* db = [] {
        auto* d = new CHTMLDB;
        d->Create(91);
        return d;
    }();
    CSGMLParser parser;
    parser.SetSource(CString(reinterpret_cast<const char*>(data), int(size)));
    CTagNode* root = parser.Parse(size % 2 ? db : nullptr);
    if (root) {
        CheckTree(root);
        delete root;
    }
    return 0;
}
