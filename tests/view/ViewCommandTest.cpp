// The view's context menu and its commands: copying, saving, printing and the external viewers.
#include "ViewFixture.h"

#include "korhtml/Html2Text.h"
#include "platform/gdi/codepage.h"
#include "platform/shell/shell.h"

#include <QClipboard>
#include <QGuiApplication>

#include <filesystem>
#include <memory>

namespace {

// "한글 문서" (Korean document) in CP949.
const std::string kKorean = "\xC7\xD1\xB1\xDB \xB9\xAE\xBC\xAD";

class ViewCommands : public ViewFixture
{
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        std::filesystem::create_directories(dir.File("src"));
        std::filesystem::copy_file(std::string(KORHTML_TEST_DATA) + "/img_alpha.png",
                                   dir.File("src/pic.png"));
        // The background is an image the document loads, so saving copies it.
        source = "<title>P</title><body background=pic.png><h1>" + kKorean + "</h1><p>Hello world<hr>";
        page = Write("src/page.html", source);
        std::filesystem::create_directories(dir.File("tmp"));
        tmpEnv = std::make_unique<ScopedEnv>("TMPDIR", dir.File("tmp"));
        kor::SetShellHook([this](const kor::ShellRequest& r, CString&) {
            shell.push_back(r);
            return 42;
        });
    }
    void TearDown() override
    {
        kor::SetShellHook(nullptr);
        kor::SetMenuHook(nullptr);
        kor::SetFileDialogHook(nullptr);
        tmpEnv.reset();
        ViewFixture::TearDown();
    }

    std::string source, page;
    std::unique_ptr<ScopedEnv> tmpEnv;
    std::vector<kor::ShellRequest> shell;
};

QString Clipboard()
{
    return QGuiApplication::clipboard()->text();
}

} // namespace

TEST_F(ViewCommands, NoMenuOverAnEmptyViewAndFiveCommandsOverADocument)
{
    int shown = 0;
    std::vector<kor::MenuItem> items;
    POINT at{};
    UINT choice = 0;
    kor::SetMenuHook([&](const std::vector<kor::MenuItem>& menu, POINT pt, CWnd* owner) {
        ++shown;
        items = menu;
        at = pt;
        EXPECT_EQ(owner, &view);
        return choice;
    });
    Mouse(QEvent::MouseButtonPress, 20, 30, Qt::RightButton);
    EXPECT_EQ(shown, 0);

    // The error page is a document: it has the menu.
    view.Open(CString(dir.File("missing.html").c_str()));
    Mouse(QEvent::MouseButtonPress, 20, 30, Qt::RightButton);
    ASSERT_EQ(shown, 1);
    ASSERT_EQ(items.size(), 6u);
    const UINT ids[] = {ID_HTML_COPY, ID_HTML_SAVE, ID_HTML_PRINT, 0, ID_HTML_NOTEPAD, ID_HTML_BROWSER};
    const char* const keys[] = {" (&C)", " (&S)", " (&P)", "", " (&N)", " (&W)"};
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].id, ids[i]);
        EXPECT_EQ((items[i].flags & MF_SEPARATOR) != 0, i == 3);
        // Korean texts (two-byte characters first) with the accelerator at the end.
        std::string text = items[i].text.str();
        EXPECT_TRUE(i == 3 || (text.size() > 6 && (unsigned char)text[0] >= 0xB0 &&
                               text.compare(text.size() - 5, 5, keys[i]) == 0))
            << text;
    }
    CPoint screen(20, 30);
    view.ClientToScreen(&screen);
    EXPECT_EQ(CPoint(at), screen);

    // The chosen command arrives after the menu has closed and runs. Copy takes the file as it is on
    // disk, not what the view shows now.
    ASSERT_EQ(view.Open(CString(page.c_str())), 1);
    ASSERT_EQ(view.OpenString("<p>shown from memory"), 1);
    QGuiApplication::clipboard()->setText("before");
    choice = ID_HTML_COPY;
    view.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(Clipboard(), "before");
    ASSERT_TRUE(PumpUntil([] { return Clipboard() != "before"; }, 2000));
    EXPECT_EQ(Clipboard(), kor::ToUnicode(HtmlFile2Text(CString(page.c_str()), 80, -1, 0)));
}

TEST_F(ViewCommands, SaveWritesTextForTxtInAnyCaseAndTheSourceWithItsImagesOtherwise)
{
    ASSERT_EQ(view.Open(CString(page.c_str())), 1);
    std::vector<kor::FileDialogRequest> asked;
    std::string answer;
    kor::SetFileDialogHook([&](const kor::FileDialogRequest& r, CString& path) {
        asked.push_back(r);
        path = CString(answer.c_str());
        return answer.empty() ? IDCANCEL : IDOK;
    });

    std::filesystem::create_directories(dir.File("out"));
    answer = dir.File("out/NOTES.TXT");
    view.SendMessage(WM_COMMAND, ID_HTML_SAVE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(asked[0].open);
    EXPECT_EQ(asked[0].defExt, "html");
    EXPECT_EQ(asked[0].fileName, "page");
    EXPECT_EQ(asked[0].flags, DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(asked[0].filter, "HTML Files (*.html)|*.html|Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(ReadFileBytes(answer), view.m_pHtml->ExtractText(80).str());
    EXPECT_NE(ReadFileBytes(answer).find("Hello"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/pic.png")));

    // No extension: the dialog gives the default one, and the source goes out with its images.
    std::filesystem::create_directories(dir.File("out2"));
    answer = dir.File("out2/copy");
    view.Save();
    EXPECT_EQ(ReadFileBytes(dir.File("out2/copy.html")), source);
    EXPECT_EQ(ReadFileBytes(dir.File("out2/pic.png")), ReadFileBytes(dir.File("src/pic.png")));

    // Any other extension is the source as well; cancelling writes nothing.
    answer = dir.File("out2/copy.txt.bak");
    view.Save();
    EXPECT_EQ(ReadFileBytes(answer), source);
    answer.clear();
    view.Save();
    EXPECT_EQ(asked.size(), 4u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("out2")), {}), 3);
}

TEST_F(ViewCommands, ExternalViewersGetTemporaryFilesOrTheFileOnDisk)
{
    const std::string tmp = dir.File("tmp") + "/";
    ASSERT_EQ(view.Open(CString(page.c_str())), 1);

    view.SendMessage(WM_COMMAND, ID_HTML_NOTEPAD);
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0].file, CString((tmp + "Article.txt").c_str()));
    EXPECT_EQ(shell[0].verb, "");
    EXPECT_EQ(ReadFileBytes(tmp + "Article.txt"), view.m_pHtml->ExtractText(80).str());

    // The browser opens the file on disk, even after the view has shown something else.
    ASSERT_EQ(view.OpenString("<p>in memory"), 1);
    view.SendMessage(WM_COMMAND, ID_HTML_BROWSER);
    ASSERT_EQ(shell.size(), 2u);
    EXPECT_EQ(shell[1].file, CString(page.c_str()));
    EXPECT_FALSE(std::filesystem::exists(tmp + "Article.html"));

    // Printing goes through the document to the shell's print verb.
    view.SendMessage(WM_COMMAND, ID_HTML_PRINT);
    ASSERT_GE(shell.size(), 3u);
    EXPECT_EQ(shell.back().verb, "print");
    EXPECT_EQ(shell.back().file, CString(page.c_str()));
    size_t before = shell.size();
    view.SendMessage(WM_COMMAND, ID_HTML_BROWSER + 1); // not one of the menu's
    EXPECT_EQ(shell.size(), before);

    // A view that never opened a file hands over its source, written with its images, and copies an
    // empty text.
    CHTMLView fresh;
    CreateView(fresh);
    const std::string memory = "<body background=\"" + dir.File("src/pic.png") + "\"><p>mine";
    ASSERT_EQ(fresh.OpenString(CString(memory.c_str())), 1);
    fresh.ExtOpenWebBrowser();
    EXPECT_EQ(shell.back().file, CString((tmp + "Article.html").c_str()));
    EXPECT_EQ(ReadFileBytes(tmp + "Article.html"), memory);
    EXPECT_TRUE(std::filesystem::exists(tmp + "pic.png"));
    QGuiApplication::clipboard()->setText("before");
    fresh.CopyToClipboard();
    EXPECT_EQ(Clipboard(), "");
}
