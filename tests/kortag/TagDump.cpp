// Tag-tree helpers of the parser tests: parsing, lookups, link checks and a one-line dump.
#include "TagDump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
std::string Escape(const CString& s)
{
    std::string out;
    for (char c : s.str()) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

std::string Line(CTagNode* n)
{
    if (n->GetType() == TAGNODE_TEXT)
        return "'" + Escape(n->GetData()) + "'";
    if (n->GetType() == TAGNODE_COMMENT)
        return "<!--" + Escape(n->GetValueOf("comment")) + "-->";
    std::string line = n->GetName(1).str();
    std::vector<std::pair<std::string, std::string>> attrs;
    if (n->HasAttributes()) {
        CMapStringToString* map = n->GetMap();
        POSITION pos = map->GetStartPosition();
        while (pos) {
            CString k, v;
            map->GetNextAssoc(pos, k, v);
            attrs.emplace_back(k.str(), v.str());
        }
    }
    std::sort(attrs.begin(), attrs.end());
    for (size_t i = 0; i < attrs.size(); ++i)
        line += (i ? " " : "(") + attrs[i].first + "=" + attrs[i].second + (i + 1 < attrs.size() ? "" : ")");
    return line;
}
} // namespace

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

size_t TagTree::CheckLinks() const
{
    size_t count = 0;
    for (CTreeNode* n = root; n; n = n->GetDFSNext()) {
        ++count;
        CTreeNode* prev = nullptr;
        for (CTreeNode* c = n->GetFirstChild(); c; c = c->GetNextSibling()) {
            EXPECT_EQ(c->GetParent(), n);
            EXPECT_EQ(c->GetPrevSibling(), prev);
            prev = c;
        }
        EXPECT_EQ(n->GetLastChild(), prev);
    }
    return count;
}

std::string DumpTree(CTagNode* root)
{
    std::string out;
    for (CTreeNode* n = root; n; n = n->GetDFSNext(root)) {
        if (n != root && n->GetPrevSibling())
            out += ' ';
        out += Line(static_cast<CTagNode*>(n));
        if (!n->IsLeaf()) {
            out += '[';
            continue;
        }
        for (CTreeNode* up = n; up != root && !up->GetNextSibling(); up = up->GetParent())
            out += ']';
    }
    return out;
}

std::string ParseDump(const char* src)
{
    TagTree t(src);
    return t.root ? DumpTree(t.root) : "";
}

std::string BodyDump(const char* src)
{
    TagTree t(src);
    CTagNode* body = t.root ? static_cast<CTagNode*>(t.root->GetFirstChild()) : nullptr;
    if (!body || body->GetNextSibling() || t.root->HasAttributes() || body->HasAttributes() ||
        body->GetName(1) != "BODY")
        return t.root ? DumpTree(t.root) : "";
    std::string out;
    for (CTreeNode* c = body->GetFirstChild(); c; c = c->GetNextSibling())
        out += (c == body->GetFirstChild() ? "" : " ") + DumpTree(static_cast<CTagNode*>(c));
    return out;
}
