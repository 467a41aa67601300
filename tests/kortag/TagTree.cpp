// Tag-tree helpers of the parser tests: parsing and lookups.
#include "TagTree.h"

CHTMLDB& TestDB()
{
    static CHTMLDB db;
    static bool created = db.Create(91);
    (void)created;
    return db;
}

TagTree::TagTree(const std::string& src, bool withDB)
{
    CSGMLParser parser;
    parser.SetSource(CString(src.data(), int(src.size())));
    root = parser.Parse(withDB ? &TestDB() : nullptr);
}

CTagNode* TagTree::Get(const char* name, int nth) const
{
    for (CTreeNode* n = root; n; n = n->GetDFSNext()) {
        CTagNode* t = static_cast<CTagNode*>(n);
        if (t->GetName(1) == name && nth-- == 0)
            return t;
    }
    return nullptr;
}
