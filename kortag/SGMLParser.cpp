// CSGMLParser: tokenizes HTML bytes and builds the tag tree with HTML 3.2's omitted tags implied.
#include "kortag/kortag.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <strings.h>
#include <new>
#include <utility>
#include <vector>

IMPLEMENT_DYNCREATE(CSGMLParser, CObject)

namespace {

// Tag indices of the HTML tag database that the tree rules name.
enum : int
{
    T_A = 0,
    T_ADDRESS = 1,
    T_AREA = 3,
    T_BASE = 5,
    T_BLOCKQUOTE = 8,
    T_BODY = 9,
    T_BR = 10,
    T_CAPTION = 11,
    T_CENTER = 12,
    T_COMMENT = 15,
    T_DD = 16,
    T_DIR = 18,
    T_DIV = 19,
    T_DL = 20,
    T_DT = 21,
    T_FORM = 24,
    T_FRAME = 25,
    T_FRAMESET = 26,
    T_H1 = 27,
    T_H6 = 32,
    T_HEAD = 33,
    T_HR = 34,
    T_HTML = 35,
    T_IMG = 37,
    T_INPUT = 38,
    T_ISINDEX = 39,
    T_LI = 41,
    T_LINK = 42,
    T_LISTING = 43,
    T_MENU = 45,
    T_META = 46,
    T_NOFRAMES = 47,
    T_OL = 48,
    T_OPTION = 49,
    T_P = 50,
    T_PARAM = 51,
    T_PLAINTEXT = 52,
    T_PRE = 53,
    T_SCRIPT = 55,
    T_SELECT = 56,
    T_STYLE = 60,
    T_TABLE = 63,
    T_TD = 64,
    T_TEXTAREA = 65,
    T_TFOOT = 66,
    T_TH = 67,
    T_TITLE = 68,
    T_TR = 69,
    T_UL = 72,
    T_WBR = 74,
    T_XMP = 75,
    T_COUNT = 76
};

// Properties of the tags, by index.
enum : unsigned
{
    TF_EMPTY = 1,      // no content, no end tag
    TF_ENDS_P = 2,     // a block whose start ends an open P
    TF_ENDS_TITLE = 4, // a block where the body begins when TITLE's end tag is missing
    TF_HEAD = 8,       // belongs in HEAD when met before body content
    TF_NOT_BODY = 16,  // does not begin the body (goes into HEAD before body content)
    TF_HEADING = 32,
    TF_LIST = 64 // the lists that own LI
};

struct TagFlags
{
    unsigned f[T_COUNT] = {};
    TagFlags()
    {
        for (int t : {T_AREA, T_BASE, T_BR, T_HR, T_IMG, T_INPUT, T_ISINDEX, T_LINK, T_META, T_PARAM, T_WBR,
                      T_FRAME, T_TFOOT})
            f[t] |= TF_EMPTY;
        for (int t : {T_P, T_UL, T_OL, T_DIR, T_MENU, T_DL, T_PRE, T_LISTING, T_XMP, T_PLAINTEXT, T_DIV,
                      T_CENTER, T_BLOCKQUOTE, T_FORM, T_HR, T_TABLE, T_ADDRESS, T_ISINDEX})
            f[t] |= TF_ENDS_P;
        for (int t : {T_P, T_UL, T_OL, T_DIR, T_MENU, T_DL, T_PRE, T_TABLE, T_CENTER, T_DIV, T_BLOCKQUOTE,
                      T_HR, T_FORM})
            f[t] |= TF_ENDS_TITLE;
        for (int t = T_H1; t <= T_H6; ++t)
            f[t] |= TF_ENDS_P | TF_ENDS_TITLE | TF_HEADING;
        for (int t : {T_UL, T_OL, T_DIR, T_MENU})
            f[t] |= TF_LIST;
        for (int t : {T_TITLE, T_META, T_LINK, T_BASE, T_ISINDEX, T_STYLE, T_SCRIPT})
            f[t] |= TF_HEAD | TF_NOT_BODY;
        for (int t : {T_HTML, T_HEAD, T_BODY, T_FRAMESET, T_NOFRAMES, T_FRAME, T_COMMENT, T_TFOOT, T_TD, T_TH,
                      T_TR, T_CAPTION})
            f[t] |= TF_NOT_BODY;
    }
    unsigned operator()(int rule) const
    {
        return rule >= 0 && rule < T_COUNT ? f[rule] : TF_EMPTY | TF_NOT_BODY;
    }
};

const TagFlags g_flags;

inline bool IsBlank(unsigned char c)
{
    return c >= 1 && c <= 32;
}
inline bool IsSpace(unsigned char c)
{
    return c <= 32;
} // inside tags a NUL separates too
inline bool IsLetter(unsigned char c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
inline bool IsNameChar(unsigned char c)
{
    return IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == ':';
}

bool IsBlankText(const char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (!IsBlank(static_cast<unsigned char>(p[i])))
            return false;
    return true;
}

CTagDB& BuiltinDB()
{
    static CHTMLDB db;
    static const bool created = db.Create(91);
    (void)created;
    return db;
}

struct Attr
{
    CString name, value;
};

// One open element. pre is the nearest PRE among the element's real ancestors (itself included).
struct Open
{
    CTagNode* node;
    int rule;
    CTagNode* pre;
    bool discard; // a TITLE that is dropped with its content
    bool hasBody; // a NOFRAMES whose content already has its BODY
};

// Builds the tree from the tokens, keeping the stack of open elements and, per tag index, the stack
// positions where that tag is open, so that every "nearest open X" question costs O(1).
class TreeBuilder
{
public:
    explicit TreeBuilder(CTagDB* db) : m_db(db ? db : &BuiltinDB())
    {
        m_bRulesAreIndices = dynamic_cast<CHTMLDB*>(m_db) != nullptr;
        m_nCommentIndex = m_db->GetTagIndex("COMMENT");
        m_root = NewNode(TAGNODE_ELEMENT, "HTML", m_db->GetTagIndex("HTML"));
        Push(m_root, T_HTML, false);
    }
    ~TreeBuilder()
    {
        Finish();
        delete m_root;
    }

    // Closes everything and hands the tree over.
    CTagNode* Release()
    {
        Finish();
        CTagNode* r = m_root;
        m_root = nullptr;
        return r;
    }

    void Rules(const CString& upperName, int& rule, int& index) const
    {
        index = m_db->GetTagIndex(upperName);
        if (index < 0)
            rule = -1;
        else if (m_bRulesAreIndices)
            rule = index < T_COUNT ? index : -1;
        else
            rule = BuiltinDB().GetTagIndex(upperName);
    }

    void Text(const char* p, size_t n);
    void Comment(const CString& text);
    CTagNode* StartTag(const CString& name, int rule, int index, std::vector<Attr>& attrs);
    void EndTag(int rule);
    // Raw content of SCRIPT/STYLE (a comment child) or XMP/LISTING/TEXTAREA/PLAINTEXT (a text child).
    void RawContent(CTagNode* node, int rule, const char* p, size_t n);

private:
    int Back(int rule) const { return m_open[rule].empty() ? -1 : m_open[rule].back(); }
    int Max(std::initializer_list<int> rules) const
    {
        int m = -1;
        for (int r : rules)
            m = std::max(m, Back(r));
        return m;
    }
    // Implied and ordinary end tags act only above this position: the innermost cell, caption, row,
    // table or title.
    int Barrier() const { return Max({T_TD, T_TH, T_CAPTION, T_TR, T_TABLE, T_TITLE}); }
    bool HeadPhase() const { return !m_docBody && !m_bFrameset && Back(T_NOFRAMES) < 0; }
    CTagNode* Top() const { return m_stack.back().node; }

    CTagNode* NewNode(int type, const CString& name, int index)
    {
        CTagNode* n = new CTagNode(type, name, index);
        n->SetEnclosingPre(m_stack.empty() ? nullptr : m_stack.back().pre);
        return n;
    }
    void Push(CTagNode* node, int rule, bool ownPlace)
    {
        CTagNode* pre = nullptr;
        if (!ownPlace && !m_stack.empty())
            pre = m_stack.back().pre;
        if (rule == T_PRE)
            pre = node;
        m_stack.push_back({node, rule, pre, false, false});
        if (rule >= 0 && rule < T_COUNT)
            m_open[rule].push_back(int(m_stack.size()) - 1);
    }
    void PopTop()
    {
        Open e = m_stack.back();
        m_stack.pop_back();
        if (e.rule >= 0 && e.rule < T_COUNT)
            m_open[e.rule].pop_back();
        if (e.discard)
            delete e.node;
    }
    // Closes every element above stack position k (the root, at 0, stays open).
    void CloseTo(int k)
    {
        if (k < 0)
            k = 0;
        while (int(m_stack.size()) > k + 1)
            PopTop();
    }
    void Finish()
    {
        while (m_stack.size() > 1)
            PopTop();
    }

    static void AddAttrs(CTagNode* node, const std::vector<Attr>& attrs)
    {
        if (attrs.empty())
            return;
        // The map's hash table never grows by itself; sized for the few attributes of a usual tag, a
        // tag of thousands would make each insertion walk a long chain. Such maps are rebuilt with
        // a table to match (doubling, so a BODY given attributes again and again stays linear).
        CMapStringToString* map = node->GetMap();
        const size_t want = size_t(map->GetCount()) + attrs.size();
        if (want > 64 && want > 2 * size_t(map->GetHashTableSize())) {
            std::vector<std::pair<CString, CString>> kept;
            kept.reserve(size_t(map->GetCount()));
            for (POSITION pos = map->GetStartPosition(); pos;) {
                CString key, value;
                map->GetNextAssoc(pos, key, value);
                kept.emplace_back(key, value);
            }
            map->RemoveAll();
            map->InitHashTable(UINT(std::min<size_t>(4 * want, 1u << 30) | 1));
            for (const auto& kv : kept)
                map->SetAt(kv.first, kv.second);
        }
        for (const Attr& a : attrs)
            node->AddAttribute(a.name, a.value);
    }
    void AddText(const char* p, size_t n)
    {
        if (n == 0)
            return;
        CTagNode* cur = Top();
        CTagNode* last = static_cast<CTagNode*>(cur->GetLastChild());
        if (last && last->GetType() == TAGNODE_TEXT) {
            last->AppendData(p, int(n));
            return;
        }
        CTagNode* t = NewNode(TAGNODE_TEXT, CString(), -1);
        t->SetData(CString(p, int(n)));
        cur->AddLastChild(t);
    }
    void EnsureHeadOpen()
    {
        if (!m_head) {
            CloseTo(0);
            m_head = NewNode(TAGNODE_ELEMENT, "HEAD", m_db->GetTagIndex("HEAD"));
            m_root->AddLastChild(m_head);
            Push(m_head, T_HEAD, false);
        } else if (Top() != m_head) {
            CloseTo(0);
            Push(m_head, T_HEAD, false);
        }
    }
    void OpenDocBody(const std::vector<Attr>* attrs)
    {
        CloseTo(0);
        m_docBody = NewNode(TAGNODE_ELEMENT, "BODY", m_db->GetTagIndex("BODY"));
        if (attrs)
            AddAttrs(m_docBody, *attrs);
        m_root->AddLastChild(m_docBody);
        Push(m_docBody, T_BODY, false);
    }
    // Body content inside a NOFRAMES of a page without BODY gets a BODY of its own there.
    void EnsureNoFramesBody()
    {
        if (m_docBody)
            return;
        int nf = Back(T_NOFRAMES);
        if (nf < 0 || m_stack[size_t(nf)].hasBody)
            return;
        CloseTo(nf);
        CTagNode* body = NewNode(TAGNODE_ELEMENT, "BODY", m_db->GetTagIndex("BODY"));
        Top()->AddLastChild(body);
        Push(body, T_BODY, false);
        m_stack[size_t(nf)].hasBody = true;
    }
    void CloseIfAbove(int pos, int limit)
    {
        if (pos > 0 && pos > limit)
            CloseTo(pos - 1);
    }
    CTagNode* Title(const CString& name, int index, std::vector<Attr>& attrs);
    CTagNode* TableStart(const CString& name, int rule, int index, std::vector<Attr>& attrs);
    CTagNode* Generic(const CString& name, int rule, int index, std::vector<Attr>& attrs);

    CTagDB* m_db;
    bool m_bRulesAreIndices = false;
    int m_nCommentIndex = -1;
    CTagNode* m_root = nullptr;
    CTagNode* m_head = nullptr;
    CTagNode* m_docBody = nullptr;
    CTagNode* m_headTitle = nullptr;
    bool m_bFrameset = false;
    std::vector<Open> m_stack;
    std::vector<int> m_open[T_COUNT];
};

void TreeBuilder::Text(const char* p, size_t n)
{
    if (n == 0)
        return;
    if (Back(T_TITLE) >= 0) {
        AddText(p, n);
        return;
    }
    bool blank = IsBlankText(p, n);
    if (HeadPhase()) {
        if (!blank)
            OpenDocBody(nullptr);
        AddText(p, n);
        return;
    }
    if (!blank)
        EnsureNoFramesBody();
    AddText(p, n);
}

void TreeBuilder::Comment(const CString& text)
{
    if (Back(T_TITLE) < 0) {
        if (HeadPhase()) {
            EnsureHeadOpen();
        } else {
            int top = m_stack.back().rule;
            if (top == T_TABLE || top == T_TR)
                return;
        }
    }
    CTagNode* c = NewNode(TAGNODE_COMMENT, "COMMENT", m_nCommentIndex);
    c->AddAttribute("comment", text);
    Top()->AddLastChild(c);
}

CTagNode* TreeBuilder::StartTag(const CString& name, int rule, int index, std::vector<Attr>& attrs)
{
    if (rule == T_HTML) {
        AddAttrs(m_root, attrs);
        return nullptr;
    }
    const unsigned fl = g_flags(rule);
    int title = Back(T_TITLE);
    if (title >= 0) {
        // Inside TITLE everything is its content, until a block or BODY shows the body has begun.
        if (rule == T_BODY || (fl & TF_ENDS_TITLE)) {
            CloseTo(title - 1);
        } else {
            if (rule == T_HEAD || rule == T_TITLE)
                return nullptr;
            return Generic(name, rule, index, attrs);
        }
    }
    if (HeadPhase()) {
        switch (rule) {
        case T_HEAD:
            EnsureHeadOpen();
            AddAttrs(m_head, attrs);
            return nullptr;
        case T_BODY:
            OpenDocBody(&attrs);
            return m_docBody;
        case T_FRAMESET:
            CloseTo(0);
            m_bFrameset = true;
            return Generic(name, rule, index, attrs);
        case T_NOFRAMES:
            CloseTo(0);
            return Generic(name, rule, index, attrs);
        case T_TD:
        case T_TH:
        case T_TR:
        case T_CAPTION:
            return nullptr; // no table is open
        default:
            break;
        }
        if (fl & TF_NOT_BODY) {
            EnsureHeadOpen();
            return Generic(name, rule, index, attrs);
        }
        OpenDocBody(nullptr);
        return Generic(name, rule, index, attrs);
    }
    if (rule == T_HEAD)
        return nullptr;
    if (rule == T_BODY) {
        if (m_docBody) {
            AddAttrs(m_docBody, attrs);
            return nullptr;
        }
        // Inside NOFRAMES a BODY is an ordinary element; elsewhere in a frameset page it is the body.
        int nf = Back(T_NOFRAMES);
        if (nf < 0) {
            OpenDocBody(&attrs);
            return m_docBody;
        }
        m_stack[size_t(nf)].hasBody = true;
        return Generic(name, rule, index, attrs);
    }
    if (!(fl & TF_NOT_BODY))
        EnsureNoFramesBody();
    return Generic(name, rule, index, attrs);
}

// A TITLE goes into HEAD when HEAD has none yet; otherwise it is parsed and dropped. Either way it
// sits on the stack as a barrier, so its content cannot close what lies outside it.
CTagNode* TreeBuilder::Title(const CString& name, int index, std::vector<Attr>& attrs)
{
    CTagNode* t = new CTagNode(TAGNODE_ELEMENT, name, index);
    t->SetEnclosingPre(nullptr);
    AddAttrs(t, attrs);
    bool discard = m_headTitle != nullptr;
    if (!discard) {
        if (!m_head) {
            m_head = NewNode(TAGNODE_ELEMENT, "HEAD", m_db->GetTagIndex("HEAD"));
            m_head->SetEnclosingPre(nullptr);
            m_root->AddFirstChild(m_head);
        }
        m_head->AddLastChild(t);
        m_headTitle = t;
    }
    Push(t, T_TITLE, true);
    m_stack.back().discard = discard;
    return t;
}

CTagNode* TreeBuilder::TableStart(const CString& name, int rule, int index, std::vector<Attr>& attrs)
{
    int table = Back(T_TABLE);
    if (table < 0 || table < Back(T_TITLE))
        return nullptr;
    int target = table;
    if (rule == T_TD || rule == T_TH) {
        int row = Back(T_TR);
        if (row > table)
            target = row;
    }
    CloseTo(target);
    CTagNode* n = NewNode(TAGNODE_ELEMENT, name, index);
    AddAttrs(n, attrs);
    Top()->AddLastChild(n);
    Push(n, rule, false);
    return n;
}

CTagNode* TreeBuilder::Generic(const CString& name, int rule, int index, std::vector<Attr>& attrs)
{
    switch (rule) {
    case T_TD:
    case T_TH:
    case T_TR:
    case T_CAPTION:
        return TableStart(name, rule, index, attrs);
    case T_TITLE:
        return Title(name, index, attrs);
    default:
        break;
    }
    const unsigned fl = g_flags(rule);
    int top = m_stack.back().rule;
    if ((top == T_TABLE || top == T_TR) &&
        (rule == T_FORM || rule == T_TFOOT || (rule < 0 && (name == "TBODY" || name == "THEAD"))))
        return nullptr;

    // Omitted end tags, each only inside the innermost cell, caption, row, table or title.
    const int barrier = Barrier();
    if (fl & TF_ENDS_P)
        CloseIfAbove(Back(T_P), barrier);
    if (fl & TF_HEADING)
        CloseIfAbove(Max({T_H1, T_H1 + 1, T_H1 + 2, T_H1 + 3, T_H1 + 4, T_H6}), barrier);
    if (rule == T_A)
        CloseIfAbove(Back(T_A), barrier);
    if (rule == T_LI)
        CloseIfAbove(Back(T_LI), std::max(barrier, Max({T_UL, T_OL, T_DIR, T_MENU})));
    if (rule == T_DT || rule == T_DD)
        CloseIfAbove(Max({T_DT, T_DD}), std::max(barrier, Back(T_DL)));
    if (rule == T_OPTION)
        CloseIfAbove(Back(T_OPTION), std::max(barrier, Back(T_SELECT)));

    CTagNode* n = NewNode(TAGNODE_ELEMENT, name, index);
    AddAttrs(n, attrs);
    Top()->AddLastChild(n);
    if (fl & TF_EMPTY)
        return n;
    switch (rule) {
    case T_SCRIPT:
    case T_STYLE:
    case T_XMP:
    case T_LISTING:
    case T_TEXTAREA:
    case T_PLAINTEXT:
        return n; // raw content follows, read by the tokenizer
    default:
        break;
    }
    Push(n, rule, false);
    return n;
}

void TreeBuilder::RawContent(CTagNode* node, int rule, const char* p, size_t n)
{
    if (n == 0)
        return;
    CTagNode* child;
    if (rule == T_SCRIPT || rule == T_STYLE) {
        child = new CTagNode(TAGNODE_COMMENT, "COMMENT", m_nCommentIndex);
        child->AddAttribute("comment", CString(p, int(n)));
    } else {
        child = new CTagNode(TAGNODE_TEXT, CString(), -1);
        child->SetData(CString(p, int(n)));
    }
    CTagNode* pre = static_cast<CTagNode*>(node->Find("pre", TAGFIND_ANCESTORS, 0));
    child->SetEnclosingPre(pre);
    node->AddLastChild(child);
}

void TreeBuilder::EndTag(int rule)
{
    if (rule < 0 || rule >= T_COUNT)
        return;
    const int table = Back(T_TABLE);
    const int title = Back(T_TITLE);
    switch (rule) {
    case T_HTML:
        return;
    case T_BODY: {
        // Only a BODY that is an ordinary element (in a frameset page) can be closed.
        int b = Back(T_BODY);
        if (b > 0 && m_stack[size_t(b)].node != m_docBody)
            CloseIfAbove(b, Barrier());
        return;
    }
    case T_TD:
    case T_TH:
        if (table >= 0)
            CloseIfAbove(Max({T_TD, T_TH}), std::max(table, title));
        return;
    case T_TR:
    case T_CAPTION:
        if (table >= 0)
            CloseIfAbove(Back(rule), std::max(table, title));
        return;
    case T_TABLE:
        CloseIfAbove(table, title);
        return;
    case T_TITLE:
        CloseIfAbove(title, Max({T_TD, T_TH, T_CAPTION, T_TR, T_TABLE}));
        return;
    default:
        CloseIfAbove(Back(rule), Barrier());
        return;
    }
}

// The tokenizer: walks the bytes once, handing text, comments and tags to the builder.
class Tokenizer
{
public:
    Tokenizer(const char* s, size_t n, TreeBuilder& b) : m_s(s), m_n(n), m_b(b) {}
    void Run();

private:
    unsigned char At(size_t i) const { return i < m_n ? static_cast<unsigned char>(m_s[i]) : 0; }
    size_t FindByte(size_t from, char c) const
    {
        if (from >= m_n)
            return m_n;
        const void* q = std::memchr(m_s + from, c, m_n - from);
        return q ? size_t(static_cast<const char*>(q) - m_s) : m_n;
    }
    size_t FindSeq(size_t from, const char* seq) const
    {
        size_t pos = std::string_view(m_s, m_n).find(seq, from);
        return pos == std::string_view::npos ? m_n : pos;
    }
    bool StartsMarkup(size_t i) const;
    size_t StartTag(size_t i);
    size_t EndTag(size_t i);
    // Finds "</name" ending the raw content that starts at from; gives the content's end and the
    // position after the end tag (both the input's end when there is none).
    void FindRawEnd(size_t from, const char* name, size_t& contentEnd, size_t& after) const;
    size_t SkipLineBreak(size_t i) const
    {
        if (At(i) == '\n')
            return i + 1;
        if (At(i) == '\r' && At(i + 1) == '\n')
            return i + 2;
        return i;
    }

    const char* m_s;
    size_t m_n;
    TreeBuilder& m_b;
    bool m_noMoreQuote[2] = {false, false}; // no " (0) or ' (1) left in the rest of the input
    std::vector<Attr> m_attrs;
};

bool Tokenizer::StartsMarkup(size_t i) const
{
    if (i + 1 >= m_n)
        return false;
    unsigned char c = At(i + 1);
    if (IsLetter(c) || c == '?')
        return true;
    if (c == '/')
        return IsLetter(At(i + 2));
    if (c == '!')
        return At(i + 2) == '>' || IsLetter(At(i + 2)) || (At(i + 2) == '-' && At(i + 3) == '-');
    return false;
}

void Tokenizer::Run()
{
    size_t i = 0;
    while (i < m_n) {
        // Text up to the next '<' that starts markup.
        size_t start = i;
        size_t lt = FindByte(i, '<');
        while (lt < m_n && !StartsMarkup(lt))
            lt = FindByte(lt + 1, '<');
        if (lt > start)
            m_b.Text(m_s + start, lt - start);
        if (lt >= m_n)
            break;
        i = lt;
        unsigned char c = At(i + 1);
        if (c == '!' && At(i + 2) == '-' && At(i + 3) == '-') {
            size_t end = FindSeq(i + 4, "-->");
            m_b.Comment(CString(m_s + i + 4, int(end - (i + 4))));
            i = end < m_n ? end + 3 : m_n;
        } else if (c == '!' || c == '?') {
            // <!DOCTYPE ...> and <?...> are dropped.
            size_t gt = FindByte(i + 2, '>');
            i = gt < m_n ? gt + 1 : m_n;
        } else if (c == '/') {
            i = EndTag(i);
        } else {
            i = StartTag(i);
        }
    }
}

size_t Tokenizer::EndTag(size_t i)
{
    size_t p = i + 2;
    size_t nameStart = p;
    while (p < m_n && IsNameChar(At(p)))
        ++p;
    CString name(m_s + nameStart, int(p - nameStart));
    name.MakeUpper();
    while (p < m_n && At(p) != '>' && At(p) != '<')
        ++p;
    if (At(p) == '>' && p < m_n)
        ++p;
    int rule, index;
    m_b.Rules(name, rule, index);
    m_b.EndTag(rule);
    return p;
}

size_t Tokenizer::StartTag(size_t i)
{
    size_t p = i + 1;
    size_t nameStart = p;
    while (p < m_n && IsNameChar(At(p)))
        ++p;
    CString name(m_s + nameStart, int(p - nameStart));
    name.MakeUpper();

    // Attributes, until '>', a '<' that begins the next tag, or the end of the input.
    m_attrs.clear();
    for (;;) {
        while (p < m_n && (IsSpace(At(p)) || At(p) == '/'))
            ++p;
        if (p >= m_n)
            break;
        if (At(p) == '>') {
            ++p;
            break;
        }
        if (At(p) == '<')
            break;
        size_t an = p++;
        while (p < m_n && !IsSpace(At(p)) && At(p) != '=' && At(p) != '>' && At(p) != '<' && At(p) != '/')
            ++p;
        Attr a;
        a.name = CString(m_s + an, int(p - an));
        a.name.MakeLower();
        size_t q = p;
        while (q < m_n && IsSpace(At(q)))
            ++q;
        if (At(q) == '=' && q < m_n) {
            p = q + 1;
            while (p < m_n && IsSpace(At(p)))
                ++p;
            size_t vs = p;
            unsigned char quote = At(p);
            bool quoted = false;
            if (p < m_n && (quote == '"' || quote == '\'')) {
                bool& none = m_noMoreQuote[quote == '"' ? 0 : 1];
                size_t close = none ? m_n : FindByte(p + 1, char(quote));
                if (close < m_n) {
                    p = close + 1;
                    quoted = true;
                } else {
                    none = true; // an unclosed quote: the value ends like an unquoted one
                }
            }
            if (!quoted)
                while (p < m_n && !IsSpace(At(p)) && At(p) != '>')
                    ++p;
            a.value = CString(m_s + vs, int(p - vs));
        } else {
            a.value = "EXIST";
        }
        m_attrs.push_back(std::move(a));
    }

    int rule, index;
    m_b.Rules(name, rule, index);
    if (rule == T_COMMENT) {
        // <COMMENT>...</COMMENT> hides its text like a comment.
        size_t end, after;
        FindRawEnd(p, "COMMENT", end, after);
        m_b.Comment(CString(m_s + p, int(end - p)));
        return after;
    }
    CTagNode* node = m_b.StartTag(name, rule, index, m_attrs);
    if (!node)
        return p;
    switch (rule) {
    case T_PRE:
        return SkipLineBreak(p);
    case T_SCRIPT:
    case T_STYLE:
    case T_XMP:
    case T_LISTING:
    case T_TEXTAREA: {
        if (rule != T_SCRIPT && rule != T_STYLE)
            p = SkipLineBreak(p);
        size_t end, after;
        FindRawEnd(p, name, end, after);
        m_b.RawContent(node, rule, m_s + p, end - p);
        return after;
    }
    case T_PLAINTEXT:
        m_b.RawContent(node, rule, m_s + p, m_n - p);
        return m_n;
    default:
        return p;
    }
}

void Tokenizer::FindRawEnd(size_t from, const char* name, size_t& contentEnd, size_t& after) const
{
    const size_t len = std::strlen(name);
    for (size_t lt = FindByte(from, '<'); lt < m_n; lt = FindByte(lt + 1, '<')) {
        if (At(lt + 1) != '/' || lt + 2 + len > m_n || strncasecmp(m_s + lt + 2, name, len) != 0 ||
            IsNameChar(At(lt + 2 + len)))
            continue;
        contentEnd = lt;
        size_t p = lt + 2 + len;
        while (p < m_n && At(p) != '>' && At(p) != '<')
            ++p;
        after = At(p) == '>' && p < m_n ? p + 1 : p;
        return;
    }
    contentEnd = after = m_n;
}

} // namespace

CTagNode* CSGMLParser::Parse(CTagDB* pDB)
{
    return Parse(pDB, m_strSource);
}

CTagNode* CSGMLParser::Parse(CTagDB* pDB, const CString& strSource)
{
    const std::string& src = strSource.str();
    if (IsBlankText(src.data(), src.size()))
        return nullptr;
    try {
        TreeBuilder builder(pDB);
        Tokenizer(src.data(), src.size(), builder).Run();
        return builder.Release();
    } catch (...) {
        return nullptr; // out of memory: the builder has freed what it made
    }
}
