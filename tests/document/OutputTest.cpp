// Tests of a document's output: extracted text, saving the source or the text, the image list, printing.
#include "korhtml/HtmlSrvr.h"
#include "korhtml/HtmlX.h"
#include "platform/gdi/codepage.h"
#include "platform/shell/shell.h"
#include "platform/win/win.h"

#include "GifWriter.h"
#include "TempDir.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Cp949(const char* utf8)
{
    return kor::FromUnicode(QString::fromUtf8(utf8)).str();
}

std::string CurrentDirectory()
{
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string();
}

// A server, a window-less document, and the message box and shell seams answered by the test.
class Output : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateHtmlServer();
        m_doc = new CHtmlX(nullptr);
        m_cwd = CurrentDirectory();
        m_oldBox = kor::SetMessageBoxHook([this](const CString& text, const CString&, UINT) {
            m_messages.push_back(text.str());
            return IDOK;
        });
        m_oldShell = kor::SetShellHook([this](const kor::ShellRequest& r, CString& program) {
            if (r.kind == kor::ShellRequest::FindExecutable) {
                program = m_program.c_str();
                return m_program.empty() ? SE_ERR_NOASSOC : 42;
            }
            m_requests.push_back(r);
            // Where the process stood when the request was made.
            m_requestDirs.push_back(CurrentDirectory());
            size_t i = m_requests.size() - 1;
            return i < m_results.size() ? m_results[i] : 42;
        });
    }

    void TearDown() override
    {
        kor::SetShellHook(m_oldShell);
        kor::SetMessageBoxHook(m_oldBox);
        delete m_doc;
        DestroyHtmlServer();
        if (chdir(m_cwd.c_str()) != 0)
            ADD_FAILURE() << "cannot return to " << m_cwd;
    }

    CHtmlX* m_doc = nullptr;
    std::string m_cwd;
    std::string m_program;
    std::vector<int> m_results;
    std::vector<kor::ShellRequest> m_requests;
    std::vector<std::string> m_requestDirs;
    std::vector<std::string> m_messages;
    kor::MessageBoxHook m_oldBox;
    kor::ShellHook m_oldShell;
};

TEST_F(Output, SaveSourceAsTextAndAsHtml)
{
    TempDir src, dst;
    ASSERT_FALSE(src.Path().empty());
    ASSERT_FALSE(dst.Path().empty());
    ASSERT_EQ(mkdir(src.File("img").c_str(), 0700), 0);
    std::string gif = testgif::Encode(2, 2, {0xFF0000, 0x0000FF}, {testgif::Solid(0, 0, 2, 2, 1)});
    ASSERT_TRUE(WriteFileBytes(src.File("a.gif"), gif));
    ASSERT_TRUE(WriteFileBytes(src.File("img/b.gif"), gif + "x"));
    // The body's background counts as one of the page's pictures.
    std::string page =
        "<body background=img/b.gif><p>Hi <img src=a.gif><img src=missing.gif><img src=a.gif>\r\n";
    ASSERT_TRUE(WriteFileBytes(src.File("page.html"), page));
    ASSERT_TRUE(m_doc->OpenLocal(CString(src.File("page.html").c_str())));

    // The component list names every picture asked for once, missing ones too.
    CStringList list;
    EXPECT_EQ(m_doc->GetComponentList(list), 3);

    // As HTML: the source unchanged, the images that exist copied beside it under their bare names.
    std::string out = dst.File("out.html");
    ASSERT_TRUE(WriteFileBytes(out, std::string(5000, 'z')));
    m_doc->SaveSource(CString(out.c_str()), 1, 80);
    EXPECT_EQ(ReadFileBytes(out), page);
    EXPECT_EQ(ReadFileBytes(dst.File("a.gif")), gif);
    EXPECT_EQ(ReadFileBytes(dst.File("b.gif")), gif + "x");
    EXPECT_EQ(ReadFileBytes(dst.File("missing.gif")), "<missing>");

    // As text: the extracted text at the given width.
    std::string txt = dst.File("out.txt");
    m_doc->SaveSource(CString(txt.c_str()), 0, 4);
    EXPECT_EQ(ReadFileBytes(txt), "\r\n\r\nHi \r\n");
    EXPECT_TRUE(m_messages.empty());

    // A bare name saves into the current directory, and the images go there too.
    TempDir here;
    ASSERT_EQ(chdir(here.Path().c_str()), 0);
    m_doc->SaveSource(CString("bare.html"), 1, 80);
    EXPECT_EQ(ReadFileBytes(here.File("bare.html")), page);
    EXPECT_EQ(ReadFileBytes(here.File("a.gif")), gif);

    // A file that cannot be created (its name is taken by a directory): the message, no image
    // copied beside it.
    TempDir third;
    std::string bad = third.File("out.html");
    ASSERT_EQ(mkdir(bad.c_str(), 0700), 0);
    m_doc->SaveSource(CString(bad.c_str()), 1, 80);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], Cp949("문서를 저장할 수 없습니다.\n디스크 공간을 확인해보십시오."));
    EXPECT_EQ(ReadFileBytes(third.File("a.gif")), "<missing>");
}

// (The extracted texts at narrow widths, after breaks and preformatted text are pinned by the extract
// cases; at the usual width by the recorded texts of the example and real pages.)
TEST_F(Output, NothingOpenedHasNoTextAndAStringCannotBePrinted)
{
    EXPECT_EQ(m_doc->ExtractText(80).str(), "");
    m_doc->OpenString(CString("<p>in memory"), CString(""));
    m_doc->Print();
    EXPECT_TRUE(m_requests.empty());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], Cp949("인쇄할 문서를 찾지 못했습니다."));
}

TEST_F(Output, PrintThroughTheShell)
{
    TempDir dir, tmp;
    const std::string path = dir.File("doc.html"), fallback = tmp.Path() + "/article.txt";
    ASSERT_TRUE(WriteFileBytes(path, "<p>printed words"));
    m_doc->OpenLocal(CString(path.c_str()));
    ScopedEnv tmpdir("TMPDIR", tmp.Path());
    const std::string netscape = "C:\\Program Files\\Netscape\\Program\\NETSCAPE.EXE";
    const std::string asParameter = "/print(\"" + path + "\")";
    struct Request
    {
        std::string file, parameters, dir; // dir: where the process stood ("" when it does not matter)
    };
    const struct
    {
        std::string program;
        std::vector<int> results;
        std::vector<Request> requests;
        const char* message; // UTF-8, null for none
    } cases[] = {
        // The program that owns the file prints it; nothing else happens.
        {"/usr/bin/viewer", {}, {{path, "", ""}}, nullptr},
        // The browser wants the file as a parameter too, from the file's directory; when it fails
        // there is no second try.
        {netscape,
         {SE_ERR_DDEBUSY},
         {{path, asParameter, dir.Path()}},
         "응용 프로그램이 현재 작업 중이므로 요청한 작업을 수행할 수 없습니다."},
        // Without a program for the file, the document's text is printed from the temporary
        // directory; when that fails too, the last result is told.
        {"",
         {SE_ERR_NOASSOC, SE_ERR_DDEFAIL},
         {{path, "", ""}, {fallback, "", tmp.Path()}},
         "응용 프로그램과 연결에 실패했습니다."},
        // A result the shell has no message for is an unknown error; above 32 is success.
        {"/opt/netscape.exe",
         {1},
         {{path, asParameter, ""}},
         "알 수 없는 오류로 요청한 작업이 수행되지 않았습니다."},
        {"/opt/netscape.exe",
         {32},
         {{path, asParameter, ""}},
         "지정된 동적 연결 라이브러리를 찾을 수 없습니다."},
        {"/opt/netscape.exe", {33}, {{path, asParameter, ""}}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program + " " + std::to_string(c.results.empty() ? 0 : c.results.back()));
        m_requests.clear();
        m_requestDirs.clear();
        m_messages.clear();
        m_program = c.program;
        m_results = c.results;
        m_doc->Print();
        ASSERT_EQ(m_requests.size(), c.requests.size());
        for (size_t i = 0; i < c.requests.size(); ++i) {
            EXPECT_EQ(m_requests[i].verb.str(), "print");
            EXPECT_EQ(m_requests[i].file.str(), c.requests[i].file);
            EXPECT_EQ(m_requests[i].parameters.str(), c.requests[i].parameters);
            EXPECT_EQ(m_requests[i].directory.str(), "");
            EXPECT_EQ(m_requests[i].show, SW_HIDE);
            if (!c.requests[i].dir.empty()) {
                EXPECT_EQ(m_requestDirs[i], c.requests[i].dir);
            }
        }
        EXPECT_EQ(m_messages,
                  c.message ? std::vector<std::string>{Cp949(c.message)} : std::vector<std::string>{});
        if (c.requests.size() == 2) {
            EXPECT_EQ(ReadFileBytes(fallback), "\r\n\r\nprinted words\r\n");
        }
    }
}

} // namespace
