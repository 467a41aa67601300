// The parsed element tree of the measure cache tests, measured with the cache or by plain walks.
#pragma once

#include "../DocTestUtil.h"
#include "../ElementTree.h"

#include "elements/MeasurePass.h"
#include "korhtml/TextElement.h"
#include "platform/gdi/gdi.h"

#include <memory>
#include <string>

// Every test gets a fresh server and box-font metrics.
class BoxFontTest : public DocTest
{
};

// Measure runs the document's measure pass over the body in document order on a memory DC.
class TextDoc : public ElementTree
{
public:
    explicit TextDoc(const std::string& html) : ElementTree(html) { m_dc.CreateCompatibleDC(nullptr); }

    // Without cache, every search walks the tree itself.
    void Measure(bool cache = true)
    {
        std::unique_ptr<CMeasurePass> pass; // as in the document's pass: the tree does not change meanwhile
        if (cache)
            pass = std::make_unique<CMeasurePass>();
        for (CVisible* v : Visibles())
            v->Measure(&m_dc);
    }

    CDC m_dc;
};
