// A document's pictures: the component list and saving with pictures from subfolders, and background
// tiles whose transparent parts are composed as the drawing rules say.
#include "DocTestUtil.h"
#include "GifWriter.h"
#include "ImageFiles.h"
#include "TempDir.h"

#include "korhtml/ImageElement.h"
#include "platform/win/win.h"

#include <filesystem>
#include <set>
#include <string>

namespace {

class ImagePage : public DocTest
{
};

std::set<std::string> Strings(const CStringList& list)
{
    std::set<std::string> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.insert(list.GetNext(pos).str());
    return out;
}

TEST_F(ImagePage, ComponentListAndSaveCoverEveryPictureAskedFor)
{
    TempDir dir;
    std::filesystem::create_directories(dir.File("pics"));
    std::filesystem::create_directories(dir.File("art"));
    const std::string a = testimg::SolidPng(dir, "pics/a.png", 12, 8, Qt::red);
    const std::string b = dir.File("art/b.gif");
    ASSERT_TRUE(WriteFileBytes(b, testgif::Encode(4, 4, {0x00FF00}, {testgif::Solid(0, 0, 4, 4, 0)})));
    const std::string bg = testimg::SolidPng(dir, "art/bg.png", 5, 5, Qt::blue);
    const std::string page = dir.File("page.html");
    const std::string source = "<body background=\"art/bg.png\"><p>Two pictures <img src=\"pics/a.png\"> and "
                               "<img src=\"art/b.gif\">, the first again <img src=\"pics/a.png\">, and one "
                               "that is missing <img src=\"pics/none.png\">.";
    ASSERT_TRUE(WriteFileBytes(page, source));

    TestDoc t(400, 300);
    ASSERT_EQ(t.OpenFile(page), 1);
    CStringList list;
    EXPECT_EQ(t->GetComponentList(list), 4);
    // Found pictures by their path beside the page; the missing one by the name it was tried under.
    EXPECT_EQ(Strings(list), (std::set<std::string>{a, b, bg, "none.png"}));

    TempDir out;
    const std::string saved = out.File("saved.html");
    t->SaveSource(CString(saved.c_str()), 1, 80);
    EXPECT_EQ(ReadFileBytes(saved), source);
    EXPECT_EQ(ReadFileBytes(out.File("a.png")), ReadFileBytes(a));
    EXPECT_EQ(ReadFileBytes(out.File("b.gif")), ReadFileBytes(b));
    EXPECT_EQ(ReadFileBytes(out.File("bg.png")), ReadFileBytes(bg));
    EXPECT_FALSE(std::filesystem::exists(out.File("none.png")));

    // Saved as text, no picture is copied.
    TempDir text;
    t->SaveSource(CString(text.File("saved.txt").c_str()), 0, 80);
    EXPECT_FALSE(std::filesystem::exists(text.File("a.png")));
}

TEST_F(ImagePage, TransparentPartsOfTilesShowWhatIsUnderThem)
{
    TempDir dir;
    testimg::HalvesPng(dir, "small.png", 10, 10, Qt::red, Qt::transparent);
    testimg::HalvesPng(dir, "large.png", 200, 200, Qt::red, Qt::transparent);

    // Many tiles are composed in a bitmap, which starts black: the page colour is not painted under them.
    {
        TestDoc t(95, 63);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#00ff00 background=small.png>", dir.Path() + "/"), 1);
        QImage img = t.Render(3);
        EXPECT_EQ(PixelRef(img, 2, 2), RGB(255, 0, 0));
        EXPECT_EQ(PixelRef(img, 7, 2), RGB(0, 0, 0));
        EXPECT_EQ(PixelRef(img, 92, 60), RGB(255, 0, 0));
        EXPECT_EQ(PixelRef(img, 57, 40), RGB(0, 0, 0));
    }
    // Up to 2 x 2 tiles are drawn straight onto the view, over what it showed.
    {
        TestDoc t(300, 300);
        ASSERT_EQ(t.OpenHtml("<body bgcolor=#00ff00 background=large.png>", dir.Path() + "/"), 1);
        kor::WindowSurface(t.Window())->fill(qRgb(1, 2, 3));
        QImage img = t.Render(0);
        EXPECT_EQ(PixelRef(img, 50, 50), RGB(255, 0, 0));
        EXPECT_EQ(PixelRef(img, 150, 50), RGB(1, 2, 3));
        EXPECT_EQ(PixelRef(img, 250, 250), RGB(255, 0, 0));
        EXPECT_EQ(PixelRef(img, 299, 299), RGB(255, 0, 0));
    }
}

} // namespace
