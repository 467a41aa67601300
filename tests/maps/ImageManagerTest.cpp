// Tests of the image manager: one load per path, stand-ins for remote and failed images, listing, copying.
#include "DocTestUtil.h"
#include "ImageFiles.h"

#include "korgr/ImageDax.h"
#include "korhtml/HtmlSrvr.h"
#include "maps/ImageManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

using ImageManagerTest = DocTest;

// A one-colour picture of w x h at name in dir; its path.
std::string Picture(const TempDir& dir, const char* name, int w, int h)
{
    return testimg::SolidPng(dir, name, w, h, Qt::red);
}

TEST_F(ImageManagerTest, LoadsEachPathOnceAndStandsInForFailedAndRemoteImages)
{
    TempDir dir;
    SetGlobalImage(CString(Picture(dir, "wait.png", 3, 3).c_str()),
                   CString(Picture(dir, "fail.png", 4, 4).c_str()));
    ASSERT_EQ(GetGlobalImage(1)->Width(), 3);
    ASSERT_EQ(GetGlobalImage(2)->Width(), 4);
    std::string good = Picture(dir, "good.gif", 5, 6);
    std::string missing = dir.File("missing.gif");

    CImageManager manager(nullptr);
    CImageDax* first = manager.GetImage(CString(good.c_str()));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->state, IMAGE_LOADED);
    EXPECT_EQ(first->Width(), 5);
    EXPECT_EQ(first->Height(), 6);
    EXPECT_EQ(manager.GetImage(CString(good.c_str())), first);

    // A failed load gives stand-in 2, and keeps giving it without trying again, even once the file exists.
    EXPECT_EQ(manager.GetImage(CString(missing.c_str())), GetGlobalImage(2));
    Picture(dir, "missing.gif", 2, 2);
    EXPECT_EQ(manager.GetImage(CString(missing.c_str())), GetGlobalImage(2));
    // Keys are exact: another spelling of a path is another image.
    CImageDax* other = manager.GetImage(CString((dir.Path() + "//good.gif").c_str()));
    EXPECT_NE(other, first);
    EXPECT_EQ(other->state, IMAGE_LOADED);

    // Remote images are never fetched: stand-in 1, and the path is noted.
    CString remote("http://example.com/a.gif");
    EXPECT_EQ(manager.GetImage(remote), GetGlobalImage(1));
    EXPECT_EQ(manager.GetImage(remote), GetGlobalImage(1));
    ASSERT_GE(manager.m_listRemoteFiles.GetCount(), 1);
    EXPECT_EQ(manager.m_listRemoteFiles.GetHead().str(), remote.str());
    EXPECT_EQ(manager.m_mapImages.GetCount(), 4);

    // Every path asked for is listed once, whatever became of it; the list is emptied first.
    CStringList list;
    list.AddTail(CString("stale"));
    manager.GetComponentList(list);
    std::set<std::string> paths;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        paths.insert(list.GetNext(pos).str());
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(paths, (std::set<std::string>{good, missing, dir.Path() + "//good.gif", remote.str()}));
}

TEST_F(ImageManagerTest, CopyComponentsCopiesExistingFilesByName)
{
    TempDir dir;
    std::filesystem::create_directories(dir.File("src/sub"));
    std::filesystem::create_directories(dir.File("out"));
    std::string a = Picture(dir, "src/a.gif", 2, 2);
    std::string b = Picture(dir, "src/sub/b.gif", 3, 3);
    CImageManager manager(nullptr);
    manager.GetImage(CString(a.c_str()));
    manager.GetImage(CString(b.c_str()));
    manager.GetImage(CString(dir.File("src/gone.gif").c_str()));
    ASSERT_TRUE(WriteFileBytes(dir.File("out/a.gif"), "old"));

    manager.CopyComponents(CString((dir.Path() + "/out/").c_str()));
    EXPECT_EQ(ReadFileBytes(dir.File("out/a.gif")), ReadFileBytes(a));
    EXPECT_EQ(ReadFileBytes(dir.File("out/b.gif")), ReadFileBytes(b));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/gone.gif")));

    // No separator is added: the directory's name is glued to the file name.
    manager.CopyComponents(CString((dir.Path() + "/out").c_str()));
    EXPECT_EQ(ReadFileBytes(dir.File("outa.gif")), ReadFileBytes(a));
    EXPECT_EQ(ReadFileBytes(dir.File("outb.gif")), ReadFileBytes(b));
}

TEST_F(ImageManagerTest, LocationListOwnsItsRecords)
{
    auto* list = static_cast<CLocationList*>(RUNTIME_CLASS(CLocationList)->CreateObject());
    ASSERT_TRUE(list->IsKindOf(RUNTIME_CLASS(CObList)));
    list->AddTail(new CLocation);
    list->AddTail(new CLocation);
    delete list; // deletes the two records (LeakSanitizer watches)
}

} // namespace
