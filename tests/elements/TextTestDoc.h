// Element trees of HTML strings for the text and style tests: parsed, measured with the box font, laid out.
#pragma once

#include "../DocTestUtil.h"
#include "ElementTestTree.h"

#include "elements/MeasurePass.h"
#include "korhtml/TextElement.h"
#include "kortag/kortag.h"
#include "platform/gdi/gdi.h"
#include "transform/Transformer.h"

#include <memory>
#include <string>
#include <vector>

// Every test gets a fresh server and box-font metrics.
class BoxFontTest : public DocTest
{
};

// The element tree of an HTML string with its BODY; Measure runs the document's measure pass over
// the body in document order on a memory DC, Layout its placement pass for a view width.
class TextDoc
{
public:
    explicit TextDoc(const std::string& html)
    {
        CSGMLParser parser;
        parser.SetSource(CString(html.data(), static_cast<int>(html.size())));
        std::unique_ptr<CTagNode> tags(parser.Parse(GetHtmlDB()));
        if (tags)
            m_root.reset(GetTransformer()->Transform(tags.get()));
        if (m_root)
            m_pBody = m_root->FindDescendantByKind(TAG_BODY, TRUE);
        m_dc.CreateCompatibleDC(nullptr);
    }
    ~TextDoc()
    {
        if (m_root)
            m_root->DeleteChildren();
    }

    // Without cache, every search walks the tree itself.
    void Measure(bool cache = true)
    {
        std::unique_ptr<CMeasurePass> pass; // as in the document's pass: the tree does not change meanwhile
        if (cache)
            pass = std::make_unique<CMeasurePass>();
        CElement* end = End();
        for (CVisible* v = m_pBody->GetNextVisible(FALSE, end); v; v = v->GetNextVisible(FALSE, end))
            v->Measure(&m_dc);
    }
    // The visible elements of the body in document order.
    std::vector<CVisible*> Visibles()
    {
        std::vector<CVisible*> out;
        CElement* end = End();
        for (CVisible* v = m_pBody->GetNextVisible(FALSE, end); v; v = v->GetNextVisible(FALSE, end))
            out.push_back(v);
        return out;
    }
    // The first node after the body's subtree (null at the end of the tree).
    CElement* End() { return static_cast<CElement*>(m_pBody->GetRightMostLeaf()->GetDFSNext()); }
    void Layout(int viewWidth) { LayOut(m_pBody, viewWidth); }

    // The text runs of the body in document order.
    std::vector<FText*> Texts()
    {
        std::vector<FText*> out;
        CElement* end = End();
        for (CVisible* v = m_pBody->GetNextVisible(FALSE, end); v; v = v->GetNextVisible(FALSE, end))
            if (v->m_nKind == KIND_TEXT)
                out.push_back(static_cast<FText*>(v));
        return out;
    }

    // The n-th text run whose raw text, without its trailing space, is word.
    FText* Word(const char* word, int n = 0)
    {
        for (FText* t : Texts()) {
            CString raw = t->m_strRaw;
            if (!raw.IsEmpty() && raw[raw.GetLength() - 1] == ' ')
                raw = raw.Left(raw.GetLength() - 1);
            if (raw == word && n-- == 0)
                return t;
        }
        ADD_FAILURE() << "no word " << word;
        return nullptr;
    }

    // The description of a run's font as the GDI reports it (all zero without a font).
    static LOGFONT Font(const FText* t)
    {
        LOGFONT lf = {};
        if (t && t->m_pFont)
            t->m_pFont->GetLogFont(&lf);
        return lf;
    }

    std::unique_ptr<CElement> m_root;
    CElement* m_pBody = nullptr;
    CDC m_dc;
};
