// Fuzz target: parse and transform arbitrary bytes with the one server of the process.
#include <cstdint>

#include "FuzzSupport.h"
#include "korhtml/Element.h"
#include "korhtml/HtmlX.h"
#include "kortag/kortag.h"
#include "transform/Transformer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Start(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const bool withDocument = in.Byte() & 1;
    const std::string page = in.Rest();

    CSGMLParser* parser = GetSGMLParser();
    parser->SetSource(CString(page));
    CTagNode* tags = parser->Parse(GetHtmlDB());
    parser->SetSource(CString());
    if (!tags)
        return 0;

    // A document gives MAP elements a map manager to join.
    CHtmlX* doc = withDocument ? new CHtmlX(nullptr) : nullptr;
    CTransformer* transformer = GetTransformer();
    transformer->SetDocument(doc);
    CElement* root = transformer->Transform(tags);
    transformer->SetDocument(nullptr);
    if (root) {
        // Every element made keeps the document it was made for.
        for (CTreeNode* n = root; n; n = n->GetDFSNext(root)) {
            if (static_cast<CElement*>(n)->m_pDoc != doc)
                __builtin_trap();
        }
        root->DeleteChildren();
        delete root;
    }
    delete tags;
    delete doc;
    return 0;
}
