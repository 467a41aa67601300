// Tests of the server: life cycle, settings, global images, fonts, entities, visited links and hostile files.
#include "korhtml/HtmlSrvr.h"
#include "server/FontManager.h"

#include "korgr/ImageDax.h"
#include "kortag/kortag.h"
#include "platform/gdi/gdi.h"

#include "GifWriter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The directory as a data path: with its trailing separator.
CString DataPath(const TempDir& dir)
{
    return CString((dir.Path() + "/").c_str());
}

std::string ListText(const CStringList& list)
{
    std::string out;
    POSITION pos = list.GetHeadPosition();
    while (pos)
        out += list.GetNext(pos).str() + "\n";
    return out;
}

// Every test starts with a fresh server and ends without one.
class Server : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DestroyHtmlServer();
        CreateHtmlServer();
    }
    void TearDown() override { DestroyHtmlServer(); }
};

} // namespace

TEST_F(Server, LifeCycle)
{
    DestroyHtmlServer();
    DestroyHtmlServer(); // without a server: nothing happens
    CreateHtmlServer();
    EXPECT_EQ(ExistHtmlServer(), 1);
    CHtmlSrvr* first = g_pHtmlSrvr;
    SetLineGaps(7, 7);
    CreateHtmlServer(); // a second create keeps the server and its settings
    EXPECT_EQ(g_pHtmlSrvr, first);
    EXPECT_EQ(GetLineGap(), 7);

    DestroyHtmlServer();
    EXPECT_EQ(ExistHtmlServer(), 0);
    EXPECT_EQ(g_pHtmlSrvr, nullptr);
    // A new server starts from the defaults again.
    CreateHtmlServer();
    EXPECT_EQ(GetLineGap(), 5);
}

TEST_F(Server, GlobalFontsAndTheirCache)
{
    CFont* body = GetStdFont(0);
    ASSERT_NE(body, nullptr);

    // New proportional and fixed descriptions; the face names need not be terminated in the source.
    LOGFONT prop = *GetLogFont(0);
    prop.lfHeight = -20;
    memset(prop.lfFaceName, 'A', LF_FACESIZE);
    LOGFONT fixed = *GetLogFont(1);
    strcpy(fixed.lfFaceName, "Courier New");
    LOGFONT system = *GetLogFont(2);
    LOGFONT oldBody = *GetLogFont(0);
    SetGlobalFont(prop, fixed);
    EXPECT_EQ(GetLogFont(0)->lfHeight, -20);
    EXPECT_EQ(strlen(GetLogFont(0)->lfFaceName), size_t(LF_FACESIZE - 1));
    EXPECT_STREQ(GetLogFont(1)->lfFaceName, "Courier New");
    EXPECT_EQ(memcmp(GetLogFont(2), &system, sizeof system), 0);

    // The standard font follows its description; the old one stays cached and valid.
    CFont* newBody = GetStdFont(0);
    EXPECT_NE(newBody, body);
    EXPECT_EQ(RegisterFont(&oldBody), body);
}

TEST_F(Server, GlobalImages)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("dot.gif"),
                               testgif::Encode(1, 1, {0xFF0000}, {testgif::Solid(0, 0, 1, 1, 0)})));
    CString good(dir.File("dot.gif").c_str());
    CString missing(dir.File("none.gif").c_str());

    SetGlobalImage(good, good);
    CImageDax* img1 = GetGlobalImage(1);
    CImageDax* img2 = GetGlobalImage(2);
    ASSERT_NE(img1, nullptr);
    ASSERT_NE(img2, nullptr);
    EXPECT_EQ(img1->Width(), 1);
    EXPECT_EQ(img2->Height(), 1);
    for (int outside : {0, 3, -1})
        EXPECT_EQ(GetGlobalImage(outside), nullptr);

    // The first file cannot be read: image 1 becomes an empty image, image 2 stays as it was.
    SetGlobalImage(missing, good);
    ASSERT_NE(GetGlobalImage(1), nullptr);
    EXPECT_EQ(GetGlobalImage(1)->Width(), 0);
    EXPECT_EQ(GetGlobalImage(2), img2);

    // Only image 1 decides: a failing second file still replaces image 2.
    SetGlobalImage(good, missing);
    EXPECT_EQ(GetGlobalImage(1)->Width(), 1);
    ASSERT_NE(GetGlobalImage(2), nullptr);
    EXPECT_EQ(GetGlobalImage(2)->Width(), 0);
}

TEST_F(Server, Entities)
{
    // Beyond the names (pinned by the case files): numeric references, empty and high-byte names are
    // no entity and give a blank; a name of any size is looked up as far as a NUL.
    for (const char* name : {"", "#38", "apos", "\xB0"})
        EXPECT_EQ(GetANSICode(CString(name)), ' ') << name;
    EXPECT_EQ(GetANSICode(CString(std::string(1 << 20, 'a'))), ' ');
    EXPECT_EQ(GetANSICode(CString(std::string("amp\0x", 5))), '&');
}

TEST_F(Server, VisitedLinksNeedDataPath)
{
    TempDir dir;
    SetDataPath(DataPath(dir));
    EXPECT_EQ(g_pHtmlSrvr->m_listOpenLink.GetCount(), 0); // no file yet
    AddOpenLink("a.html");
    AddOpenLink("b.html");
    AddOpenLink("a.html"); // already there: keeps its place
    EXPECT_EQ(ListText(g_pHtmlSrvr->m_listOpenLink), "a.html\nb.html\n");
    EXPECT_EQ(IsOpenLink("a.html"), 1);
    EXPECT_EQ(IsOpenLink("A.HTML"), 0);
    EXPECT_EQ(IsOpenLink("c.html"), 0);

    // An empty data path turns the list off without emptying it.
    g_pHtmlSrvr->m_strDataPath.Empty();
    EXPECT_EQ(IsOpenLink("a.html"), 0);
    AddOpenLink("c.html");
    EXPECT_EQ(g_pHtmlSrvr->m_listOpenLink.GetCount(), 2);
}

TEST_F(Server, VisitedLinksKeepTheNewest201)
{
    TempDir dir;
    SetDataPath(DataPath(dir));
    std::string expected;
    for (int i = 0; i < 205; ++i) {
        std::string link = "http://h/" + std::to_string(i);
        AddOpenLink(link.c_str());
        if (i >= 4)
            expected += link + "\n";
    }
    EXPECT_EQ(g_pHtmlSrvr->m_listOpenLink.GetCount(), 201);
    EXPECT_EQ(IsOpenLink("http://h/3"), 0);
    EXPECT_EQ(IsOpenLink("http://h/4"), 1);
    EXPECT_EQ(ListText(g_pHtmlSrvr->m_listOpenLink), expected);

    // Nothing is written before the server goes.
    EXPECT_EQ(ReadFileBytes(dir.File("OpenLink.dat")), "<missing>");
    DestroyHtmlServer();
    EXPECT_EQ(ReadFileBytes(dir.File("OpenLink.dat")), expected);

    // The next run reads them back.
    CreateHtmlServer();
    SetDataPath(DataPath(dir));
    EXPECT_EQ(ListText(g_pHtmlSrvr->m_listOpenLink), expected);
}

TEST_F(Server, VisitedLinkFileIsReadWordByWord)
{
    TempDir dir;
    std::string longLink(10000, 'x');
    ASSERT_TRUE(WriteFileBytes(dir.File("OpenLink.dat"),
                               "a.html b.html\n\n\ta.html\r\nc d\n" + longLink + "\nb.html"));
    SetDataPath(DataPath(dir));
    EXPECT_EQ(ListText(g_pHtmlSrvr->m_listOpenLink), "a.html\nb.html\nc\nd\n" + longLink + "\n");

    // A path without a file empties the list; the name is the data path and "OpenLink.dat" joined as
    // they are.
    SetDataPath(DataPath(dir) + "none");
    EXPECT_EQ(g_pHtmlSrvr->m_listOpenLink.GetCount(), 0);
    AddOpenLink("z");
    DestroyHtmlServer();
    EXPECT_EQ(ReadFileBytes(dir.File("noneOpenLink.dat")), "z\n");
}

TEST_F(Server, VisitedLinkFileWrittenOnlyWithDataPath)
{
    TempDir dir;
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    // No data path: destroying writes nothing, not even in the current directory.
    DestroyHtmlServer();
    EXPECT_FALSE(std::filesystem::exists(dir.File("OpenLink.dat")));
    ASSERT_EQ(chdir(old), 0);

    // With a data path the file is rewritten even when the list is empty.
    TempDir data;
    ASSERT_TRUE(WriteFileBytes(data.File("OpenLink.dat"), "old\n"));
    CreateHtmlServer();
    SetDataPath(DataPath(data));
    EXPECT_EQ(ListText(g_pHtmlSrvr->m_listOpenLink), "old\n");
    g_pHtmlSrvr->m_listOpenLink.RemoveAll();
    DestroyHtmlServer();
    EXPECT_EQ(ReadFileBytes(data.File("OpenLink.dat")), "");
}

// Hostile input: binary and huge visited-link files, odd data paths.
TEST_F(Server, HostileBinaryVisitedLinkFile)
{
    TempDir dir;
    // A data path with a space and Korean bytes ("자료 폴더/" in CP949).
    const std::string data = dir.File("\xC0\xDA\xB7\xE1 \xC6\xFA\xB4\xF5");
    ASSERT_EQ(mkdir(data.c_str(), 0700), 0);
    const std::string file = data + "/OpenLink.dat";

    // Random bytes hold NULs, CRs, EOF bytes and high bytes, and words of any length.
    std::mt19937 rng(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary)
        c = char(rng());
    ASSERT_TRUE(WriteFileBytes(file, binary));
    SetDataPath(CString((data + "/").c_str()));
    const CStringList& list = g_pHtmlSrvr->m_listOpenLink;
    EXPECT_LE(list.GetCount(), 201);
    // Whatever was read can be looked up and is written back word by word.
    EXPECT_TRUE(list.IsEmpty() || IsOpenLink(list.GetTail()));
    AddOpenLink("http://example.com/after");
    EXPECT_TRUE(IsOpenLink("http://example.com/after"));
    DestroyHtmlServer();
    EXPECT_NE(ReadFileBytes(file).find("http://example.com/after\n"), std::string::npos);
}

TEST_F(Server, HostileUnreadableDataPaths)
{
    TempDir dir;
    // A directory named OpenLink.dat and a path through a file.
    ASSERT_EQ(mkdir(dir.File("d/").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir.File("d/OpenLink.dat").c_str(), 0700), 0);
    ASSERT_TRUE(WriteFileBytes(dir.File("plain"), "x"));
    const std::string paths[] = {dir.File("d/"), dir.File("plain/")};
    for (const std::string& p : paths) {
        SetDataPath(CString(p.c_str()));
        EXPECT_TRUE(g_pHtmlSrvr->m_listOpenLink.IsEmpty()) << p;
        AddOpenLink("x");
        EXPECT_TRUE(IsOpenLink("x")) << p;
        g_pHtmlSrvr->WriteOpenLink();
    }
    DestroyHtmlServer(); // writing fails silently and changes nothing
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("d/OpenLink.dat")));
    EXPECT_EQ(ReadFileBytes(dir.File("plain")), "x");
}

// The font cache: sharing by description, exact face comparison, every field telling fonts apart.
namespace {

LOGFONT Body()
{
    LOGFONT lf{};
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = HANGEUL_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    strcpy(lf.lfFaceName, "\xB1\xBC\xB8\xB2"); // "굴림"
    return lf;
}

} // namespace

TEST(FontManagerTest, EqualDescriptionsShareOneFont)
{
    CFontManager manager;
    LOGFONT a = Body();
    CFont* first = manager.FindOrCreateFont(&a);
    ASSERT_NE(first, nullptr);

    // Bytes after the face's NUL play no part.
    LOGFONT junk = Body();
    memset(junk.lfFaceName + 5, 'x', LF_FACESIZE - 5);
    EXPECT_EQ(manager.FindOrCreateFont(&junk), first);

    // Faces differing only in case are different fonts.
    LOGFONT lower = Body(), upper = Body();
    strcpy(lower.lfFaceName, "arial");
    strcpy(upper.lfFaceName, "Arial");
    CFont* fl = manager.FindOrCreateFont(&lower);
    CFont* fu = manager.FindOrCreateFont(&upper);
    EXPECT_NE(fl, fu);
    EXPECT_NE(fl, first);
    EXPECT_EQ(manager.FindOrCreateFont(&lower), fl);

    // A face that is a prefix of another is not equal to it.
    LOGFONT prefix = Body();
    strcpy(prefix.lfFaceName, "Aria");
    EXPECT_NE(manager.FindOrCreateFont(&prefix), fu);
    EXPECT_EQ(manager.m_listFont.GetCount(), 4);
}

TEST(FontManagerTest, EveryFieldTellsFontsApart)
{
    // A change of any byte before the face name makes another font, found again the next time.
    CFontManager manager;
    LOGFONT base = Body();
    std::vector<CFont*> made{manager.FindOrCreateFont(&base)};
    for (size_t i = 0; i < offsetof(LOGFONT, lfFaceName); ++i) {
        LOGFONT lf = Body();
        reinterpret_cast<unsigned char*>(&lf)[i] ^= 0x40;
        CFont* f = manager.FindOrCreateFont(&lf);
        EXPECT_EQ(std::count(made.begin(), made.end(), f), 0) << "byte " << i;
        EXPECT_EQ(manager.FindOrCreateFont(&lf), f) << "byte " << i;
        made.push_back(f);
    }
    // Earlier fonts stay valid while others are added.
    LOGFONT back{};
    EXPECT_EQ(made[0]->GetLogFont(&back), int(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -14);
}
