// CP949 conversion at the Qt boundary, face substitution, drawing with real fonts, the kept run widths.
#include "platform/gdi/codepage.h"
#include "platform/gdi/gdi_p.h"

#include "GdiTestUtil.h"

#include <QFontInfo>
#include <QString>

#include <string>
#include <vector>

TEST(CodepageTest, InvalidBytesBecomeReplacementCharacters)
{
    // The first and the last Hangul syllable of the code page, both ways.
    EXPECT_EQ(kor::ToUnicode("\xB0\xA1\xC8\xFE A"), QString::fromUtf8("가힝 A"));
    // A lead byte before a byte that cannot follow it stands alone; the next byte is read by itself.
    EXPECT_EQ(kor::ToUnicode("\xB0\x20x"), QString::fromUtf8("\xEF\xBF\xBD x"));
    EXPECT_EQ(kor::ToUnicode("A\xB0", 2), QString::fromUtf8("A\xEF\xBF\xBD"));
    EXPECT_EQ(kor::ToUnicode("\x80\xFF", 2), QString::fromUtf8("\xEF\xBF\xBD\xEF\xBF\xBD"));
    EXPECT_EQ(kor::ToUnicode(CString("a\0b", 3)), QString::fromUtf16(u"a\0b", 3));
    EXPECT_EQ(kor::ToUnicode(nullptr, 3), QString());

    EXPECT_EQ(kor::FromUnicode(QString::fromUtf8("가힝 A")), CString("\xB0\xA1\xC8\xFE A"));
    // Characters the code page lacks become "?", one per character (also outside the BMP).
    EXPECT_EQ(kor::FromUnicode(QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                 "b\xE0\xB8\x81")),
              CString("a?b?"));
    EXPECT_FALSE(kor::IsCP949Convertible(QString::fromUtf8("\xE0\xB8\x81")));
    EXPECT_TRUE(kor::IsCP949Convertible(QString::fromUtf8("굴림 abc")));
}

// The canvas of the drawing tests with real fonts instead of the box font.
class RealFontTest : public BoxDCTest
{
protected:
    CFont* FaceFont(int height, const char* face) { return Font(height, false, false, face); }
    static QFont Real(CFont* font)
    {
        return kor::DataAs<kor::FontData>(font->m_hObject, OBJ_FONT)->Real().font;
    }
    int InkIn(const QRect& r)
    {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(Image().pixel(x, y)) < 160;
        return n;
    }

    BoxFontMode m_real{false};
};

TEST_F(RealFontTest, FacesAreSubstitutedAndSizedByHeight)
{
    // "굴림" in CP949.
    CFont* gulim = FaceFont(-16, "\xB1\xBC\xB8\xB2");
    ASSERT_NE(kor::DataAs<kor::FontData>(gulim->m_hObject, OBJ_FONT), nullptr);
    EXPECT_EQ(QFontInfo(Real(gulim)).family(), QString("NanumGothic"));
    EXPECT_EQ(QFontInfo(Real(gulim)).pixelSize(), 16);
    EXPECT_EQ(QFontInfo(Real(FaceFont(-12, "Times New Roman"))).family(), QString("Liberation Serif"));

    // A run is as tall as the font, whatever its characters.
    dc.SelectObject(gulim);
    const int hangul = dc.GetTextExtent("\xC7\xD1\xB1\xDB", 4).cy;
    EXPECT_GE(hangul, 16);
    EXPECT_EQ(dc.GetTextExtent("Korean", 6).cy, hangul);
}

TEST_F(RealFontTest, KoreanAndLatinWordsLeaveInkWhereTheyAreDrawn)
{
    dc.SelectObject(FaceFont(-20, "\xB1\xBC\xB8\xB2"));
    dc.SetTextColor(kBlack);
    dc.SetBkMode(TRANSPARENT);
    const char* hangul = "\xC7\xD1\xB1\xDB"; // 한글
    CSize hs = dc.GetTextExtent(hangul, 4);
    dc.TextOut(5, 10, hangul, 4);
    const int latinX = 5 + hs.cx + 10;
    CSize ls = dc.GetTextExtent("Word", 4);
    dc.TextOut(latinX, 10, "Word", 4);

    const int inkHangul = InkIn(QRect(5, 10, hs.cx, hs.cy));
    const int inkLatin = InkIn(QRect(latinX, 10, ls.cx, ls.cy));
    EXPECT_GT(inkHangul, 40);
    EXPECT_GT(inkLatin, 30);
    // Nothing far from the text.
    EXPECT_EQ(InkIn(QRect(0, 50, kWidth, kHeight - 50)), 0);
    EXPECT_EQ(InkIn(QRect(latinX + ls.cx + 6, 0, kWidth - latinX - ls.cx - 6, 50)), 0);
}

// Widths are kept by the exact bytes of a run, and a run is measured as a whole (kerning).
TEST_F(RealFontTest, KeptWidthsAreOfWholeRunsByTheirExactBytes)
{
    CFont* arial = FaceFont(-20, "Arial");
    dc.SelectObject(arial);
    // "AV" kerns: the run is narrower than its characters one by one.
    EXPECT_LT(dc.GetTextExtent("AV", 2).cx, dc.GetTextExtent("A", 1).cx + dc.GetTextExtent("V", 1).cx);
    // A prefix of a kept run is a run of its own.
    dc.GetTextExtent("AVAWAY Wavy", -1);
    EXPECT_EQ(dc.GetTextExtent("AVAWAY Wavy", 4).cx,
              QFontMetrics(Real(arial)).horizontalAdvance(kor::ToUnicode("AVAW")));
}

// Runs are measured without the hinter where that gives the widths the drawing font has: in every
// face the system substitutes, at several sizes and styles, a measured run is as wide as drawn.
TEST_F(RealFontTest, RunWidthsAreThoseOfTheDrawingFont)
{
    // 굴림, 바탕, 굴림체 and two Western faces; words of Hangul, Latin, digits and punctuation.
    const char* faces[] = {"\xB1\xBC\xB8\xB2", "\xB9\xD9\xC5\xC1", "\xB1\xBC\xB8\xB2\xC3\xBC",
                           "Times New Roman", "Courier New"};
    const char* words[] = {"\xC7\xD1\xB1\xDB\xB0\xFA ", "Wavy, 1997.", "\xC6\xE4\xC0\xCC\xC1\xF6(page) "};
    for (const char* face : faces)
        for (int height : {-12, -16, -21})
            for (bool bold : {false, true}) {
                LOGFONT lf = MakeLogFont(height, face);
                lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
                lf.lfItalic = height == -16;
                CFont font;
                font.CreateFontIndirect(&lf);
                dc.SelectObject(&font);
                for (const char* w : words)
                    EXPECT_EQ(dc.GetTextExtent(w, -1).cx,
                              QFontMetrics(Real(&font)).horizontalAdvance(kor::ToUnicode(w)))
                        << face << ' ' << height << ' ' << bold << ' ' << w;
                dc.SelectStockObject(SYSTEM_FONT);
            }
}

// The table of kept run widths: lookups by exact bytes through collisions, growth and clearing.
TEST(RunWidthTableTest, FindsEachKeptRunByItsExactBytesOnly)
{
    kor::RunWidthTable table;
    EXPECT_EQ(table.Find("word", kor::RunWidthTable::Hash("word")), -1);

    // Enough keys to grow the table many times; every one must still be found afterwards.
    const int count = 5000;
    for (int i = 0; i < count; ++i) {
        const std::string key = "w" + std::to_string(i);
        table.Add(key, kor::RunWidthTable::Hash(key), i);
    }
    EXPECT_EQ(table.Size(), size_t(count));
    for (int i = 0; i < count; ++i) {
        const std::string key = "w" + std::to_string(i);
        ASSERT_EQ(table.Find(key, kor::RunWidthTable::Hash(key)), i) << key;
    }
    // A prefix, an extension and a key with an embedded NUL are other runs.
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), 1);
    EXPECT_EQ(table.Find("w", kor::RunWidthTable::Hash("w")), -1);
    EXPECT_EQ(table.Find("w10000", kor::RunWidthTable::Hash("w10000")), -1);
    const std::string nul("w1\0", 3);
    EXPECT_EQ(table.Find(nul, kor::RunWidthTable::Hash(nul)), -1);

    // Keys of one length whose hashes share the slot bits and the bits kept in the slot are told
    // apart by their bytes, whatever order they came in (twenty keep a 64-slot table from growing).
    std::vector<std::string> same;
    const std::uint32_t want = kor::RunWidthTable::Hash("k1000000");
    for (int i = 1000001; same.size() < 20 && i < 99999999; ++i) {
        const std::string key = "k" + std::to_string(i);
        const std::uint32_t h = kor::RunWidthTable::Hash(key);
        if ((h & 63) == (want & 63) && (h >> 24) == (want >> 24))
            same.push_back(key);
    }
    ASSERT_EQ(same.size(), 20u);
    kor::RunWidthTable clash;
    for (size_t i = 0; i < same.size(); ++i)
        clash.Add(same[i], kor::RunWidthTable::Hash(same[i]), int(100 + i));
    for (size_t i = same.size(); i-- > 0;)
        EXPECT_EQ(clash.Find(same[i], kor::RunWidthTable::Hash(same[i])), int(100 + i)) << same[i];
    EXPECT_EQ(clash.Find("k1000000", want), -1);

    // Widths that do not fit a slot are measured again rather than kept wrong.
    table.Add("wide", kor::RunWidthTable::Hash("wide"), 70000);
    EXPECT_EQ(table.Find("wide", kor::RunWidthTable::Hash("wide")), -1);

    table.Clear();
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), -1);
    table.Add("w1", kor::RunWidthTable::Hash("w1"), 42);
    EXPECT_EQ(table.Find("w1", kor::RunWidthTable::Hash("w1")), 42);
}
