// Element trees of HTML strings for the tests: parse, transform, look up.
#include "ElementTree.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "transform/Transformer.h"

#include <gtest/gtest.h>

ElementTree::ElementTree(const std::string& html, CHtmlX* doc)
{
    CSGMLParser* parser = GetSGMLParser();
    parser->SetSource(CString(html.data(), int(html.size())));
    m_pTags = parser->Parse(GetHtmlDB());
    parser->SetSource(CString());
    if (!m_pTags)
        return;
    GetTransformer()->SetDocument(doc);
    m_pRoot = GetTransformer()->Transform(m_pTags);
    GetTransformer()->SetDocument(nullptr);
    if (m_pRoot)
        m_pBody = m_pRoot->FindDescendantByKind(TAG_BODY, TRUE);
}

ElementTree::~ElementTree()
{
    if (m_pRoot) {
        m_pRoot->DeleteChildren();
        delete m_pRoot;
    }
    delete m_pTags;
}

std::vector<CElement*> ElementTree::All(int kind) const
{
    std::vector<CElement*> out;
    for (CTreeNode* n = m_pRoot; n; n = n->GetDFSNext(m_pRoot))
        if (static_cast<CElement*>(n)->m_nKind == kind)
            out.push_back(static_cast<CElement*>(n));
    return out;
}

std::vector<std::string> ElementTree::Words() const
{
    std::vector<std::string> out;
    for (CElement* e : All(KIND_TEXT))
        out.push_back(static_cast<FText*>(e)->m_strRaw.str());
    return out;
}

std::vector<CVisible*> ElementTree::Visibles() const
{
    std::vector<CVisible*> out;
    if (!m_pBody)
        return out;
    CElement* end = static_cast<CElement*>(m_pBody->GetRightMostLeaf()->GetDFSNext());
    for (CVisible* v = m_pBody->GetNextVisible(FALSE, end); v; v = v->GetNextVisible(FALSE, end))
        out.push_back(v);
    return out;
}

FText* ElementTree::Word(const char* word, int n) const
{
    for (CVisible* v : Visibles()) {
        if (v->m_nKind != KIND_TEXT)
            continue;
        CString raw = static_cast<FText*>(v)->m_strRaw;
        raw.TrimRight();
        if (raw == word && n-- == 0)
            return static_cast<FText*>(v);
    }
    ADD_FAILURE() << "no word " << word;
    return nullptr;
}
