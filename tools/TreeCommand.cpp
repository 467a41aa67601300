// The tree command: prints the tag tree the parser makes of a file, one node a line.
#include "tools/Commands.h"

#include "kortag/kortag.h"

#include <cstdio>

namespace kor {

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
    DumpWriter writer(stdout);
    std::string out; // the line being made
    int depth = 0;
    for (CTreeNode* n = root; n;) {
        AppendIndent(depth, out);
        CTagNode* t = static_cast<CTagNode*>(n);
        if (t->GetType() == TAGNODE_TEXT) {
            out += '"';
            const CString& data = t->GetData();
            AppendEscaped(data.GetString(), data.GetLength(), out);
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
                AppendEscaped(value.GetString(), value.GetLength(), out);
            }
        }
        out += '\n';
        writer.Text(out);
        out.clear();
        n = NextWithDepth(root, n, depth);
    }
    delete root;
    return writer.Finish() ? 0 : 1;
}

} // namespace kor
