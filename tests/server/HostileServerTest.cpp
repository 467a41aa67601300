// Hostile input to the server: binary and huge visited-link files, odd data paths.
#include "korhtml/HtmlSrvr.h"

#include "Hostile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>

namespace {

class HostileServer : public ::testing::Test
{
protected:
    void SetUp() override { DestroyHtmlServer(); }
    void TearDown() override { DestroyHtmlServer(); }
};

int Count(const CStringList& list)
{
    return int(list.GetCount());
}

TEST_F(HostileServer, BinaryVisitedLinkFile)
{
    TempDir dir;
    // A data path with a space and Korean bytes ("자료 폴더/" in CP949).
    const std::string data = dir.File("\xC0\xDA\xB7\xE1 \xC6\xFA\xB4\xF5");
    ASSERT_EQ(mkdir(data.c_str(), 0700), 0);
    const std::string file = data + "/OpenLink.dat";

    std::mt19937 rng(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary)
        c = char(rng());
    const std::string cases[] = {
        binary,
        std::string(1 << 20, 'x'),                                   // one word of 1 MB
        std::string("a\0b\0c\nd\r\ne\x1a\xff\xfe\n", 14),            // NULs, CR, EOF byte, high bytes
        hostile::Repeat("\xB0\n", 10000) + "\x81",                   // lone lead bytes, one at the end
        hostile::Repeat(std::string(1000, ' ') + "\n\t\v\f\r", 200), // white space only
    };
    for (const std::string& bytes : cases) {
        ASSERT_TRUE(WriteFileBytes(file, bytes));
        CreateHtmlServer();
        SetDataPath(CString((data + "/").c_str()));
        const CStringList& list = g_pHtmlSrvr->m_listOpenLink;
        EXPECT_LE(Count(list), 201);
        // Whatever was read can be looked up and is written back word by word.
        if (!list.IsEmpty()) {
            EXPECT_TRUE(IsOpenLink(list.GetTail()));
        }
        AddOpenLink("http://example.com/after");
        EXPECT_TRUE(IsOpenLink("http://example.com/after"));
        DestroyHtmlServer();
        const std::string written = ReadFileBytes(file);
        ASSERT_NE(written, "<missing>");
        EXPECT_NE(written.find("http://example.com/after\n"), std::string::npos);
    }
    // The huge word survives the round trip whole.
    ASSERT_TRUE(WriteFileBytes(file, std::string(1 << 20, 'x')));
    CreateHtmlServer();
    SetDataPath(CString((data + "/").c_str()));
    EXPECT_TRUE(IsOpenLink(CString(std::string(1 << 20, 'x'))));
}

TEST_F(HostileServer, UnreadableDataPaths)
{
    TempDir dir;
    CreateHtmlServer();
    // A directory named OpenLink.dat, a path through a file, and a path of 64 KB.
    ASSERT_EQ(mkdir(dir.File("d/").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir.File("d/OpenLink.dat").c_str(), 0700), 0);
    ASSERT_TRUE(WriteFileBytes(dir.File("plain"), "x"));
    const std::string paths[] = {dir.File("d/"), dir.File("plain/"), std::string(65536, 'p') + "/"};
    for (const std::string& p : paths) {
        SetDataPath(CString(p.c_str()));
        EXPECT_TRUE(g_pHtmlSrvr->m_listOpenLink.IsEmpty()) << p.size();
        AddOpenLink("x");
        EXPECT_TRUE(IsOpenLink("x")) << p.size();
        g_pHtmlSrvr->WriteOpenLink();
    }
    DestroyHtmlServer(); // writing fails silently and changes nothing
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("d/OpenLink.dat")));
    EXPECT_EQ(ReadFileBytes(dir.File("plain")), "x");
}

} // namespace
