// Tests of text runs: entity decoding, shared fonts, drawing in colour and font.
#include "Canvas.h"
#include "DocTestUtil.h"

#include "korhtml/TextElement.h"

#include <cstring>
#include <string>

namespace {

class TextTest : public DocTest
{
};

std::string Decode(const std::string& raw)
{
    FText t(nullptr);
    t.m_strRaw = CString(raw.data(), int(raw.size()));
    t.DecodeEntities();
    return t.m_strText.str();
}

// How entities decode is pinned by the case files of the runs folder; bytes after a NUL, which no
// page file holds, are still decoded.
TEST_F(TextTest, DecodeEntitiesAfterANul)
{
    using namespace std::string_literals;
    EXPECT_EQ(Decode("\0&lt;x&#;"s), "\0<x\0"s);
}

TEST_F(TextTest, RunsKeepTheirRawBytesAndDecodedTextWhateverTheirLength)
{
    using namespace std::string_literals;
    // Lengths around the bytes kept in place, with and without entities, NULs included.
    for (const std::string& raw : {"abcdefghijklmn"s, "abcdefghijklmno"s, "a&amp;bcdefghijklmnopqrstuvwxyz "s,
                                   "\0a&lt;\0b"s, std::string(5000, 'x')}) {
        FText t(nullptr);
        t.m_strRaw = CString(raw.data(), int(raw.size()));
        t.DecodeEntities();
        EXPECT_EQ(t.m_strRaw.str(), raw);
        EXPECT_EQ(int(std::strlen(t.m_strRaw.GetString())),
                  int(raw.find('\0') == std::string::npos ? raw.size() : raw.find('\0')));
        EXPECT_EQ(t.m_strText.str(), Decode(raw));
        // A copy, and an assignment from a part of the string's own bytes.
        CRunText copy(t.m_strRaw);
        EXPECT_EQ(copy.view(), t.m_strRaw.view());
        t.m_strRaw.Assign(t.m_strRaw.GetString() + 1, t.m_strRaw.GetLength() - 1);
        EXPECT_EQ(t.m_strRaw.str(), raw.substr(1));
        t.m_strRaw = "";
        EXPECT_TRUE(t.m_strRaw.IsEmpty());
        EXPECT_EQ(t.m_strRaw.GetString()[0], '\0');
    }
}

TEST_F(TextTest, TextOutsideFontElementsIsMeasuredInTheDCsFont)
{
    FText loose(nullptr);
    loose.m_strRaw = "ab";
    loose.Measure(nullptr);
    EXPECT_EQ(loose.m_pFont, nullptr);
    EXPECT_EQ(CSize(loose.m_nWidth, loose.m_nHeight), CSize(16, 16)); // the stock font: 16 em
}

TEST_F(TextTest, RunsDrawInTheirColourAndFont)
{
    TestDoc t(800, 200);
    ASSERT_EQ(t.OpenHtml("<font color=#ff0000><u>ab</u> <strike>c</strike></font> <pre>x\r\n\ty</pre>"), 1);
    Canvas canvas(100, 60);
    canvas.dc.SetBkMode(TRANSPARENT);
    CFont* dcFont = canvas.dc.GetCurrentFont();

    FText* ab = t.FindText("ab");
    ab->m_nX = 2;
    ab->m_nY = 3;
    ab->Draw(&canvas.dc);
    // The colour stays set on the DC; the font is put back.
    EXPECT_EQ(canvas.dc.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(canvas.dc.GetCurrentFont(), dcFont);
    // Each 7-wide cell is filled but for its right-most column; the underline runs on row 3 + 13.
    EXPECT_EQ(canvas.Row(10, 2, 17), "XXXXXX.XXXXXX..");
    EXPECT_EQ(canvas.Row(16, 2, 17), "XXXXXXXXXXXXXX.");

    FText* c = t.FindText("c");
    c->m_nX = 30;
    c->m_nY = 3;
    c->Draw(&canvas.dc);
    EXPECT_EQ(canvas.Column(36, 3 + 5, 3 + 9), "..X."); // the strike-out crosses the empty column

    // A preformatted run draws its lines below each other (CR LF is one break) and expands tabs.
    FText* pre = t.Texts().back();
    pre->m_nX = 0;
    pre->m_nY = 30;
    pre->Draw(&canvas.dc);
    EXPECT_EQ(canvas.dc.GetTextColor(), 0u);
    EXPECT_EQ(canvas.Row(30, 0, 7), "kkkkk..");
    EXPECT_EQ(canvas.Row(42, 0, 7), ".......");
    EXPECT_EQ(canvas.Row(42, 47, 55), ".kkkkk..");
}

} // namespace
