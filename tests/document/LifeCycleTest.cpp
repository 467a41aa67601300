// Tests of the document life cycle: opening, the error page, reloading, titles, closing, local paths.
#include "DocTestUtil.h"
#include "TempDir.h"

#include "korhtml/HtmlSrvr.h"
#include "korhtml/SimpleElements.h"
#include "platform/shell/shell.h"

namespace {

const char kUntitled[] = "\xC1\xA6\xB8\xF1 \xBE\xF8\xC0\xBD";
// The first words of the error page's message.
const char kErrorWords[] = "\xBC\xB1\xC5\xC3\xC7\xD1 \xB1\xE2\xBB\xE7\xB0\xA1";

class LifeCycleTest : public DocTest
{
};

TEST_F(LifeCycleTest, MissingFileShowsErrorPageUntilItAppearsAndReloads)
{
    TempDir dir;
    std::string path = dir.File("page.html");
    TestDoc t(300, 200);

    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(t->OpenLocal(CString(path.c_str())), 0);
        EXPECT_FALSE(t->IsEmpty());
        EXPECT_EQ(t->GetLocalPath().str(), path);
        EXPECT_EQ(t->GetTitle().str(), kUntitled);
        EXPECT_NE(t->GetSource().str().find(kErrorWords), std::string::npos);
        // The error page is opened as a string without a component path.
        EXPECT_EQ(t->GetComponentPath().str(), "");
        EXPECT_EQ(static_cast<FBody*>(t->GetBody())->m_crBgColor, RGB(0xFF, 0xFF, 0xEE));
        EXPECT_TRUE(t->HasState(STATE_STATICDATA));
    }
    EXPECT_EQ(t->Reload(), 0);

    ASSERT_TRUE(WriteFileBytes(path, "<title>Now</title><p>here"));
    EXPECT_EQ(t->Reload(), 1);
    EXPECT_EQ(t->GetTitle().str(), "Now");
    EXPECT_EQ(t->GetSource().str(), "<title>Now</title><p>here");
    EXPECT_EQ(t->GetComponentPath().str(), dir.Path() + "/");
    EXPECT_NE(t.FindText("here"), nullptr);
}

TEST_F(LifeCycleTest, TitleOfTheDocument)
{
    TestDoc t(300, 200);
    struct Case
    {
        const char* html;
        std::string title;
    } cases[] = {
        {"<p>no head at all", kUntitled},
        {"<head><title></title></head><body>x", kUntitled},
        {"<title>Plain  title</title>x", "Plain title"},
        // Only the runs that are siblings of the first one count: the bold word is lost.
        {"<title>A <b>B</b> C</title>x", "A C"},
        // Character references come back as written.
        {"<title>Tom &amp; Jerry</title>x", "Tom &amp; Jerry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(t.OpenHtml(c.html), 1);
        EXPECT_EQ(t->GetTitle().str(), c.title);
        ASSERT_NE(t->GetHead(), nullptr);
        EXPECT_EQ(t->GetHead()->m_nKind, TAG_HEAD);
        EXPECT_EQ(t->GetHead()->GetParent(), nullptr);
        ASSERT_NE(t->GetBody(), nullptr);
        EXPECT_EQ(t->GetBody()->m_nKind, TAG_BODY);
        EXPECT_EQ(t->GetBody()->GetParent(), nullptr);
    }
}

TEST_F(LifeCycleTest, OpenStringKeepsTheLastFileForReloadAndClose)
{
    TempDir dir;
    std::string path = dir.File("a.html");
    ASSERT_TRUE(WriteFileBytes(path, "<title>File</title>file text"));
    TestDoc t(300, 200);
    ASSERT_EQ(t.OpenFile(path), 1);
    EXPECT_EQ(t->GetTitle().str(), "File");

    EXPECT_EQ(t.OpenHtml("<title>String</title>string text", "/comp/"), 1);
    EXPECT_EQ(t->GetTitle().str(), "String");
    EXPECT_EQ(t->GetLocalPath().str(), path);
    EXPECT_EQ(t->GetComponentPath().str(), "/comp/");
    EXPECT_EQ(t.FindText("file"), nullptr);

    // Reload reopens the file, not the string.
    EXPECT_EQ(t->Reload(), 1);
    EXPECT_EQ(t->GetTitle().str(), "File");
    EXPECT_NE(t.FindText("file"), nullptr);

    t.Layout();
    EXPECT_TRUE(t->ReadyToDraw());
    t->Close();
    EXPECT_TRUE(t->IsEmpty());
    EXPECT_EQ(t->GetContentSize(), CSize(0, 0));
    EXPECT_EQ(t->m_nState, 0u);
    EXPECT_EQ(t->GetTitle().str(), kUntitled);
    EXPECT_EQ(t->GetSource().str(), "");
    EXPECT_FALSE(t->ReadyToDraw());
    // Close keeps the file for a later reload.
    EXPECT_EQ(t->GetLocalPath().str(), path);
    EXPECT_EQ(t->Reload(), 1);
    EXPECT_FALSE(t->IsEmpty());

    // A string the parser makes nothing of leaves the document empty.
    EXPECT_EQ(t.OpenHtml("  \r\n "), 0);
    EXPECT_TRUE(t->IsEmpty());
    EXPECT_EQ(t->GetTitle().str(), kUntitled);
}

TEST_F(LifeCycleTest, OpenTextWrapsTheFileInPreAndReloadsAsText)
{
    TempDir dir;
    std::string path = dir.File("notes.txt");
    ASSERT_TRUE(WriteFileBytes(path, "one <b>two</b>\nthree"));
    TestDoc t(300, 200);
    EXPECT_EQ(t->OpenText(CString(path.c_str())), 1);
    EXPECT_EQ(t->m_bHtml, 0);
    EXPECT_FALSE(t->IsEmpty());

    ASSERT_TRUE(WriteFileBytes(path, "changed"));
    EXPECT_EQ(t->Reload(), 1);
    EXPECT_NE(t->GetSource().str().find("<pre>changed</pre>"), std::string::npos);

    // A missing text file shows the error page too, and Reload keeps trying it as text.
    std::remove(path.c_str());
    EXPECT_EQ(t->Reload(), 0);
    EXPECT_NE(t->GetSource().str().find(kErrorWords), std::string::npos);
    EXPECT_EQ(t->m_bHtml, 0);
    EXPECT_EQ(t->GetLocalPath().str(), path);
}

TEST_F(LifeCycleTest, FindLocalPathTriesComponentPathThenFileNameThenName)
{
    TempDir dir;
    std::string comp = dir.Path() + "/";
    std::filesystem::create_directories(dir.File("img"));
    TestDoc t(300, 200);
    t->SetComponentPath(CString(comp.c_str()));
    CString name("img/a.gif");

    // None exists: the bare file name.
    EXPECT_EQ(t->FindLocalPath(name).str(), "a.gif");

    // The name as given, relative to the current directory.
    std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    ASSERT_TRUE(WriteFileBytes(dir.File("img/a.gif"), "x"));
    EXPECT_EQ(t->FindLocalPath(name).str(), comp + "img/a.gif");
    t->SetComponentPath(CString("/nowhere/"));
    EXPECT_EQ(t->FindLocalPath(name).str(), "img/a.gif");
    std::filesystem::current_path(cwd);

    // The component path with the file name wins over the name as given, and the full name over both.
    t->SetComponentPath(CString(comp.c_str()));
    std::remove(dir.File("img/a.gif").c_str());
    ASSERT_TRUE(WriteFileBytes(dir.File("a.gif"), "x"));
    EXPECT_EQ(t->FindLocalPath(name).str(), comp + "a.gif");
    ASSERT_TRUE(WriteFileBytes(dir.File("img/a.gif"), "x"));
    EXPECT_EQ(t->FindLocalPath(name).str(), comp + "img/a.gif");
}

TEST_F(LifeCycleTest, ParsingRestoresThreadPriority)
{
    HANDLE thread = GetCurrentThread();
    SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);
    TestDoc t(300, 200);
    EXPECT_EQ(t.OpenHtml("<p>x"), 1);
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
    EXPECT_EQ(t.OpenHtml(" "), 0);
    EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_NORMAL);
}

TEST(LifeCycleNoServerTest, ParseFailsWithoutServer)
{
    ASSERT_FALSE(ExistHtmlServer());
    CHtmlX doc(nullptr);
    EXPECT_EQ(doc.OpenString(CString("<p>x"), CString()), 0);
    EXPECT_TRUE(doc.IsEmpty());
    doc.Layout(100, 100);
    EXPECT_FALSE(doc.ReadyToDraw());
}

} // namespace
