// The page generator: a fixed pseudo-random stream of blocks in the style of the pages of the time.
#include "bench/PageGen.h"

#include <cstdint>
#include <vector>

namespace bench {

namespace {

// splitmix64: the same stream on every compiler and library, unlike the standard distributions.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return int(Next() % std::uint64_t(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Percent(int p) { return Below(100) < p; }
    // Uniform in [0, 1).
    double Unit() { return double(Next() >> 11) / double(1ull << 53); }

private:
    std::uint64_t m_state;
};

// Words of both scripts. Picks are skewed towards the front, as word frequencies are, while the
// tail keeps the vocabulary large: thousands of different words, as real pages have.
class Vocabulary
{
public:
    Vocabulary()
    {
        Random r(0x4B4F5248544D4CULL);
        for (int i = 0; i < kKorean; ++i) {
            std::string w;
            int syllables = r.Percent(15) ? 1 : r.Percent(70) ? r.Between(2, 3) : 4;
            for (int s = 0; s < syllables; ++s) {
                // The Hangul rows of the code page: lead 0xB0-0xC8, trail 0xA1-0xFE, all defined.
                w += char(0xB0 + r.Below(25));
                w += char(0xA1 + r.Below(94));
            }
            m_korean.push_back(w);
        }
        static const char consonants[] = "bcdfghklmnprstvwz";
        static const char vowels[] = "aeiou";
        for (int i = 0; i < kEnglish; ++i) {
            std::string w;
            int letters = r.Between(2, 10);
            for (int k = 0; k < letters; ++k)
                w += (k % 2) ? vowels[r.Below(5)] : consonants[r.Below(17)];
            if (r.Percent(10))
                w[0] = char(w[0] - 'a' + 'A');
            m_english.push_back(w);
        }
    }
    const std::string& Pick(Random& r) const
    {
        double u = r.Unit();
        double skew = u * u * u;
        if (r.Percent(65))
            return m_korean[size_t(skew * kKorean)];
        return m_english[size_t(skew * kEnglish)];
    }

private:
    static constexpr int kKorean = 6000;
    static constexpr int kEnglish = 3000;
    std::vector<std::string> m_korean;
    std::vector<std::string> m_english;
};

const Vocabulary& Words()
{
    static const Vocabulary vocabulary;
    return vocabulary;
}

struct Span
{
    const char* open;
    const char* close;
};

// Inline markup only: none of it starts a block, so the no-paragraph shape stays one block.
const Span kSpans[] = {
    {"<B>", "</B>"},
    {"<I>", "</I>"},
    {"<U>", "</U>"},
    {"<TT>", "</TT>"},
    {"<STRONG>", "</STRONG>"},
    {"<EM>", "</EM>"},
    {"<FONT COLOR=\"#CC0000\">", "</FONT>"},
    {"<FONT SIZE=+1>", "</FONT>"},
    {"<FONT SIZE=2 COLOR=navy>", "</FONT>"},
    // Gulim, the usual Korean face.
    {"<FONT FACE=\"\xB1\xBC\xB8\xB2\">", "</FONT>"},
    {"<FONT FACE=\"Arial\" SIZE=-1>", "</FONT>"},
};
constexpr int kSpanCount = sizeof kSpans / sizeof kSpans[0];

const char* const kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&nbsp;", "&copy;"};

const char* const kColours[] = {"#FFFFCC", "#CCFFCC", "#CCCCFF", "#FFCCCC", "#EEEEEE",
                                "silver",  "#99CCFF", "yellow",  "#FFE4C4"};

class Generator
{
public:
    explicit Generator(PageShape shape) : m_shape(shape), m_random(0x1997 + int(shape)) {}

    std::string Page(std::size_t bytes)
    {
        m_out = "<HTML>\n<HEAD>\n<TITLE>";
        Text(m_random.Between(3, 8), false);
        m_out += "</TITLE>\n</HEAD>\n<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\">\n";
        static const std::string tail = "</BODY>\n</HTML>\n";
        while (m_out.size() + Closers().size() + tail.size() < bytes)
            Unit();
        m_out += Closers();
        m_out += tail;
        return m_out;
    }

private:
    void Unit()
    {
        switch (m_shape) {
        case PageShape::Running:
            RunningBlock();
            break;
        case PageShape::NoP:
            Line();
            break;
        case PageShape::Lists:
            ListStep();
            break;
        case PageShape::Tables:
            if (m_random.Percent(40))
                Paragraph(10, 60);
            else
                Table(0);
            break;
        }
        ++m_units;
    }

    // n words with spans, punctuation and now and then a character reference or a link.
    void Text(int n, bool markup)
    {
        int spanLeft = 0;
        const Span* span = nullptr;
        for (int i = 0; i < n; ++i) {
            if (i)
                m_out += ' ';
            if (markup && !span && m_random.Percent(10)) {
                if (m_random.Percent(30)) {
                    m_out += "<A HREF=\"doc" + std::to_string(m_random.Below(500)) + ".html\">";
                    span = &kLink;
                } else {
                    span = &kSpans[m_random.Below(kSpanCount)];
                    m_out += span->open;
                }
                spanLeft = m_random.Between(1, 5);
            }
            m_out += Words().Pick(m_random);
            if (markup && m_random.Percent(1))
                m_out += kEntities[m_random.Below(6)];
            if (span && --spanLeft == 0) {
                m_out += span->close;
                span = nullptr;
            }
            if (m_random.Percent(6))
                m_out += m_random.Percent(55) ? "," : ".";
        }
        if (span)
            m_out += span->close;
    }

    void Paragraph(int lo, int hi)
    {
        static const char* const opens[] = {
            "<P>", "<P>", "<P>", "<P>", "<P ALIGN=CENTER>", "<P ALIGN=RIGHT>"};
        m_out += opens[m_random.Percent(90) ? 0 : m_random.Below(6)];
        int n = m_random.Between(lo, hi);
        if (m_random.Percent(15)) {
            int first = m_random.Between(1, n);
            Text(first, true);
            m_out += "<BR>\n";
            Text(n - first + 1, true);
        } else {
            Text(n, true);
        }
        m_out += m_random.Percent(40) ? "</P>\n" : "\n";
    }

    void ShortList()
    {
        bool ordered = m_random.Percent(30);
        m_out += ordered ? "<OL>\n" : "<UL>\n";
        for (int i = m_random.Between(3, 6); i > 0; --i) {
            m_out += "<LI>";
            Text(m_random.Between(4, 15), true);
            m_out += '\n';
        }
        m_out += ordered ? "</OL>\n" : "</UL>\n";
    }

    void RunningBlock()
    {
        if (m_units % 8 == 0) {
            if (m_units && m_random.Percent(40))
                m_out += m_random.Percent(50) ? "<HR>\n" : "<HR SIZE=2 WIDTH=\"80%\">\n";
            const char* level = m_units == 0 ? "1" : m_random.Percent(70) ? "2" : "3";
            m_out += std::string("<H") + level + ">";
            Text(m_random.Between(2, 7), false);
            m_out += std::string("</H") + level + ">\n";
            return;
        }
        int r = m_random.Below(100);
        if (r < 72) {
            Paragraph(20, 120);
        } else if (r < 84) {
            ShortList();
        } else if (r < 90) {
            m_out += "<BLOCKQUOTE>";
            Text(m_random.Between(15, 60), true);
            m_out += "</BLOCKQUOTE>\n";
        } else if (r < 96) {
            m_out += "<CENTER>";
            Text(m_random.Between(3, 20), true);
            m_out += "</CENTER>\n";
        } else {
            m_out += "<PRE>\n";
            for (int i = m_random.Between(3, 10); i > 0; --i) {
                Text(m_random.Between(3, 9), false);
                m_out += '\n';
            }
            m_out += "</PRE>\n";
        }
    }

    // One line of the no-paragraph shape; now and then an empty line between groups of lines.
    void Line()
    {
        Text(m_random.Between(6, 20), true);
        m_out += m_random.Percent(12) ? "<BR><BR>\n" : "<BR>\n";
    }

    // One step of a walk through nested lists: an item at the same level, one level deeper or
    // shallower, and between top-level lists a heading or a paragraph.
    void ListStep()
    {
        int depth = int(m_open.size());
        if (depth == 0) {
            if (m_random.Percent(30)) {
                m_out += "<H3>";
                Text(m_random.Between(2, 6), false);
                m_out += "</H3>\n";
            }
            if (m_random.Percent(50))
                Paragraph(10, 50);
            OpenList();
        } else {
            int deeper = depth < 4 ? 35 : depth < 10 ? 25 : depth < 20 ? 10 : 0;
            int r = m_random.Below(100);
            if (r < deeper) {
                OpenList();
            } else if (r < deeper + 20) {
                CloseList();
                if (m_open.empty())
                    return;
            } else if (r == 99) {
                while (!m_open.empty())
                    CloseList();
                return;
            }
        }
        m_out += std::string(m_open.size(), ' ');
        m_out += "<LI>";
        Text(m_random.Between(3, 15), true);
        m_out += '\n';
    }

    void OpenList()
    {
        static const char* const opens[] = {"<UL>",        "<OL>",         "<UL TYPE=square>",
                                            "<OL TYPE=A>", "<OL START=5>", "<UL TYPE=circle>"};
        int k = m_random.Below(6);
        m_out += std::string(m_open.size(), ' ');
        m_out += opens[k];
        m_out += '\n';
        m_open.push_back(k % 2 ? "</OL>\n" : "</UL>\n");
    }

    void CloseList()
    {
        m_out += std::string(m_open.size() - 1, ' ');
        m_out += m_open.back();
        m_open.pop_back();
    }

    std::string Closers() const
    {
        std::string s;
        for (auto it = m_open.rbegin(); it != m_open.rend(); ++it)
            s += *it;
        return s;
    }

    void Colour(const char* attribute)
    {
        m_out += ' ';
        m_out += attribute;
        m_out += "=\"";
        m_out += kColours[m_random.Below(9)];
        m_out += '"';
    }

    // A table of a few rows and columns, cells spanning two columns or two rows now and then, and
    // at the top two levels now and then a small table inside a cell.
    void Table(int depth)
    {
        const int rows = depth ? m_random.Between(2, 3) : m_random.Between(2, 8);
        const int cols = depth ? m_random.Between(2, 3) : m_random.Between(2, 5);
        m_out += "<TABLE BORDER=" + std::to_string(m_random.Below(3)) +
                 " CELLPADDING=" + std::to_string(m_random.Below(5)) +
                 " CELLSPACING=" + std::to_string(m_random.Below(3));
        if (m_random.Percent(60))
            m_out += depth ? " WIDTH=\"100%\"" : " WIDTH=\"90%\"";
        if (m_random.Percent(20))
            Colour("BGCOLOR");
        if (!depth && m_random.Percent(15))
            m_out += m_random.Percent(50) ? " ALIGN=CENTER" : " ALIGN=RIGHT";
        m_out += ">\n";
        if (!depth && m_random.Percent(20)) {
            m_out += "<CAPTION>";
            Text(m_random.Between(2, 8), false);
            m_out += "</CAPTION>\n";
        }
        int nested = 0;
        std::vector<int> covered(size_t(cols), 0);
        for (int row = 0; row < rows; ++row) {
            const bool head = row == 0 && m_random.Percent(60);
            m_out += "<TR";
            if (head || m_random.Percent(10))
                Colour("BGCOLOR");
            m_out += ">";
            for (int c = 0; c < cols; ++c) {
                if (covered[size_t(c)]) {
                    --covered[size_t(c)];
                    continue;
                }
                m_out += head ? "<TH" : "<TD";
                int colspan = 1;
                if (c + 1 < cols && !covered[size_t(c + 1)] && m_random.Percent(8)) {
                    colspan = 2;
                    m_out += " COLSPAN=2";
                }
                if (row + 1 < rows && m_random.Percent(6)) {
                    m_out += " ROWSPAN=2";
                    for (int k = 0; k < colspan; ++k)
                        covered[size_t(c + k)] = 1;
                }
                if (m_random.Percent(20))
                    Colour("BGCOLOR");
                if (m_random.Percent(10))
                    m_out += m_random.Percent(50) ? " ALIGN=CENTER" : " VALIGN=TOP";
                m_out += ">";
                if (depth < 2 && nested < 2 && m_random.Percent(6)) {
                    ++nested;
                    Table(depth + 1);
                } else {
                    Text(m_random.Between(1, 8), true);
                }
                // Many pages of the time left cell ends out.
                if (m_random.Percent(70))
                    m_out += head ? "</TH>" : "</TD>";
                c += colspan - 1;
            }
            m_out += "</TR>\n";
        }
        m_out += "</TABLE>\n";
    }

    static constexpr Span kLink = {"", "</A>"};

    PageShape m_shape;
    Random m_random;
    std::string m_out;
    std::vector<const char*> m_open; // end tags of the open lists, innermost last
    long m_units = 0;
};

} // namespace

bool ParsePageShape(std::string_view name, PageShape& shape)
{
    if (name == "running")
        shape = PageShape::Running;
    else if (name == "nop")
        shape = PageShape::NoP;
    else if (name == "lists")
        shape = PageShape::Lists;
    else if (name == "tables")
        shape = PageShape::Tables;
    else
        return false;
    return true;
}

std::string GeneratePage(PageShape shape, std::size_t bytes)
{
    return Generator(shape).Page(bytes);
}

} // namespace bench
