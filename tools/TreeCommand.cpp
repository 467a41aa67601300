// The tree command: prints the tag tree the parser makes of a file, one node a line.
#include "tools/Commands.h"

#include "kortag/kortag.h"

#include <cstdio>

namespace kor {

namespace {

const int kMaxIndent = 40;

// Writes text with control bytes escaped so that one node stays on one line.
void PutEscaped(const CString& text, std::string& out)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        unsigned char c = (unsigned char)text[i];
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else
            out += char(c);
    }
}

} // namespace

int RunTree(const ToolOptions& options)
{
    std::string source = ReadInputFile(options.file);
    CSGMLParser parser;
    parser.SetSource(CString(source));
    CHTMLDB db;
    db.Create(91);
    CTagNode* root = parser.Parse(&db);
    if (!root) {
        std::fputs("(empty document)\n", stdout);
        return 0;
    }
    std::string out;
    int depth = 0;
    for (CTreeNode* n = root; n;) {
        // Deep trees are indented only so far, with the depth written out beyond that.
        out.append(size_t(depth < kMaxIndent ? depth : kMaxIndent) * 2, ' ');
        if (depth >= kMaxIndent)
            out += "[" + std::to_string(depth) + "] ";
        CTagNode* t = static_cast<CTagNode*>(n);
        if (t->GetType() == TAGNODE_TEXT) {
            out += '"';
            PutEscaped(t->GetData(), out);
            out += '"';
        } else {
            out += t->GetName(TAGNAME_UPPER).str();
            CMapStringToString* map = t->GetMap();
            for (POSITION pos = map->GetStartPosition(); pos;) {
                CString key, value;
                map->GetNextAssoc(pos, key, value);
                out += ' ';
                out += key.str();
                out += '=';
                PutEscaped(value, out);
            }
        }
        out += '\n';
        CTreeNode* next = n->GetDFSNext(root);
        if (next && next->GetParent() == n) {
            ++depth;
        } else if (next) {
            // The next node is a sibling of n or of one of its ancestors: climb to it.
            for (CTreeNode* p = n; p->GetParent() != next->GetParent(); p = p->GetParent())
                --depth;
        }
        n = next;
    }
    delete root;
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace kor
