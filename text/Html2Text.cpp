// Html2Text and HtmlFile2Text: parse, transform, trim the leading matter and write the words as text.
#include "korhtml/Html2Text.h"

#include "elements/MeasurePass.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlSrvr.h"
#include "korhtml/TextElement.h"
#include "korlib/korlib.h"
#include "kortag/kortag.h"
#include "text/TextWalk.h"
#include "transform/Transformer.h"

#include <utility>

namespace {

const int kUnlimited = 65535;
const int kMaxRule = 80;

// Removes the headline and the breaks in front of the first words. False when the body has no text.
bool TrimLeadingMatter(CElement* body)
{
    CElement* text = body->FindNextByKind(KIND_TEXT, FALSE, nullptr);
    if (!text)
        return false;

    // The font wrapper of the first words (a headline) goes, unless it holds the only text. The body
    // is a font element itself and is never taken for the wrapper.
    CElement* wrapper = text->FindAncestorByFlags(EF_FONT, FALSE, body);
    if (wrapper && !body->IsDescendantOf(wrapper)) {
        wrapper->Remove();
        if (body->FindDescendantByKind(KIND_TEXT, FALSE, nullptr)) {
            delete wrapper; // with its subtree
        } else {
            body->AddFirstChild(wrapper);
        }
        text = body->FindNextByKind(KIND_TEXT, FALSE, nullptr);
        if (!text)
            return false;
    }

    // Every line or paragraph element before the first words: one that holds them is dissolved so
    // that its content stays, any other goes with its content.
    const DWORD breaks = EF_LINEBREAK | EF_PARAGRAPH;
    CElement* e = text->FindPrevByFlags(breaks, FALSE, body);
    while (e) {
        // The element before e in document order lies outside e's subtree, so it survives e.
        CElement* prev = e->FindPrevByFlags(breaks, FALSE, body);
        if (text->IsDescendantOf(e)) {
            if (e->Collapse())
                delete e;
        } else {
            e->Remove();
            delete e;
        }
        e = prev;
    }
    return true;
}

// The measure pass without measuring: break bits, alignment and list levels, and the decoded text.
void SetStaticData(CElement* body)
{
    // The elements' searches go through this pass while it runs.
    CMeasurePass pass;
    for (CVisible* v = body->GetNextVisible(FALSE, nullptr); v; v = v->GetNextVisible(FALSE, nullptr)) {
        if (v->m_nKind == KIND_TEXT)
            static_cast<FText*>(v)->DecodeEntities();
        if (v->m_nKind == TAG_TABLE || v->m_nKind == TAG_IMG)
            continue;
        v->ComputeBreaks();
        v->InheritAlign();
        v->ComputeListLevel();
    }
}

// source, when given, is html itself and is no longer needed: its bytes go once parsed, before the
// element tree is built.
CString Convert(const CString& html, int width, int maxLines, int trim, CStringList& images,
                CString* source = nullptr)
{
    images.RemoveAll();
    if (width == -1)
        width = kUnlimited;
    if (maxLines == -1)
        maxLines = kUnlimited;

    const bool ownServer = !ExistHtmlServer();
    if (ownServer)
        CreateHtmlServer();

    CString out;
    CSGMLParser* parser = GetSGMLParser();
    CHTMLDB* db = GetHtmlDB();
    CTransformer* transformer = GetTransformer();
    if (parser && db && transformer) {
        CTagNode* tags = parser->Parse(db, html);
        if (source) {
            CString gone(std::move(*source));
        }
        CElement* root = nullptr;
        if (tags) {
            transformer->SetDocument(nullptr);
            root = transformer->TransformAndDelete(tags);
        }
        CElement* body = root ? root->FindDescendantByKind(TAG_BODY, FALSE, nullptr) : nullptr;
        if (body && (!trim || TrimLeadingMatter(body))) {
            SetStaticData(body);
            TextPolicy policy;
            policy.nWidth = width;
            policy.nMaxLines = maxLines;
            policy.nRuleLength = KorMin(width, kMaxRule);
            policy.bCopyPre = true;
            policy.bTrimPre = trim != 0;
            policy.pImages = &images;
            out = WriteText(body->GetNextVisible(FALSE, nullptr), policy);
        }
        if (root) {
            root->DeleteChildren();
            delete root;
        }
    }

    if (ownServer)
        DestroyHtmlServer();
    return out;
}

CString ConvertFile(const CString& path, int width, int maxLines, int trim, CStringList& images)
{
    CString html = KorReadFile(path);
    if (html.GetLength() == 1 && html[0] == ' ') {
        images.RemoveAll();
        return CString();
    }
    return Convert(html, width, maxLines, trim, images, &html);
}

} // namespace

CString Html2Text(const CString& html, int width, int maxLines, int trim)
{
    CStringList images;
    return Convert(html, width, maxLines, trim, images);
}

CString Html2Text(const CString& html, int width, int maxLines, int trim, CStringList& images)
{
    return Convert(html, width, maxLines, trim, images);
}

CString HtmlFile2Text(const CString& path, int width, int maxLines, int trim)
{
    CStringList images;
    return ConvertFile(path, width, maxLines, trim, images);
}

CString HtmlFile2Text(const CString& path, int width, int maxLines, int trim, CStringList& images)
{
    return ConvertFile(path, width, maxLines, trim, images);
}
