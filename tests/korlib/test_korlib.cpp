// Tests of the Kor* utility functions: clamping, file reading, path handling and font families.
#include "korlib/korlib.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

TEST(KorLib, Clip)
{
    // {value, low, high, result}: an empty range never yields an index below the low end.
    for (std::array<int, 4> c : {std::array{15, 0, 9, 9}, {-4, 0, 9, 0}, {5, 0, 9, 5}, {3, 0, -1, 0}}) {
        KorClipValue(c[0], c[1], c[2]);
        EXPECT_EQ(c[0], c[3]) << c[1] << ".." << c[2];
    }
}

TEST(KorLib, ReadFileKeepsBytesAndReportsFailure)
{
    TempDir dir;
    static const char raw[] = "a\0b\r\n\xB0\xA1<&>";
    std::string bytes(raw, sizeof raw - 1);
    ASSERT_TRUE(WriteFileBytes(dir.File("bin.dat"), bytes));

    EXPECT_TRUE(KorFileExist(dir.File("bin.dat").c_str()));
    EXPECT_EQ(KorReadFile(dir.File("bin.dat").c_str()).str(), bytes);

    // Missing files and directories read as one space.
    EXPECT_FALSE(KorFileExist(dir.File("none.html").c_str()));
    EXPECT_FALSE(KorFileExist(dir.Path().c_str()));
    EXPECT_EQ(KorReadFile(dir.File("none.html").c_str()).str(), " ");
    EXPECT_EQ(KorReadFile(dir.Path().c_str()).str(), " ");
    EXPECT_EQ(KorReadTextFile(dir.File("none.txt").c_str()).str(), " ");

    // An empty file is readable: it gives the empty string, not the failure marker.
    ASSERT_TRUE(WriteFileBytes(dir.File("empty.html"), ""));
    EXPECT_TRUE(KorFileExist(dir.File("empty.html").c_str()));
    EXPECT_TRUE(KorReadFile(dir.File("empty.html").c_str()).IsEmpty());

    // File names are bytes handed to the system unchanged (CP949 here).
    std::string korean = dir.File("\xC7\xD1\xB1\xDB.html");
    ASSERT_TRUE(WriteFileBytes(korean, "<p>x"));
    EXPECT_TRUE(KorFileExist(korean.c_str()));
    EXPECT_EQ(KorReadFile(korean.c_str()).str(), "<p>x");
}

TEST(KorLib, ReadTextFileEscapesMarkup)
{
    TempDir dir;
    static const char in[] = "if (a<b && c>d)\r\n\xC7\xD1\0z\rq\n";
    static const char out[] = "if (a&lt;b &amp;&amp; c&gt;d)\n\xC7\xD1\0z\rq\n";
    ASSERT_TRUE(WriteFileBytes(dir.File("a.txt"), std::string(in, sizeof in - 1)));
    CString s = KorReadTextFile(dir.File("a.txt").c_str());
    EXPECT_EQ(s.str(), std::string(out, sizeof out - 1));
}

TEST(KorLib, PathParts)
{
    EXPECT_EQ(KorGetFilePath("/d/a.html").str(), "/d/");
    EXPECT_EQ(KorGetFilePath("a.html").str(), "");
    EXPECT_EQ(KorGetFilePath("img/sub\\b.gif").str(), "img/sub\\");
    EXPECT_EQ(KorGetFileName("/d/a.html").str(), "a.html");
    EXPECT_EQ(KorGetFileName("/d/").str(), "");
    EXPECT_EQ(KorGetPureFileName("a.b.html").str(), "a.b");
    EXPECT_EQ(KorGetPureFileName("/d.x/readme").str(), "readme");
    EXPECT_EQ(KorGetFileExt("a.b.TXT").str(), ".TXT");
    EXPECT_EQ(KorGetFileExt("/d.x/readme").str(), "");
    // Query and fragment are part of the name.
    EXPECT_EQ(KorGetFileExt("/d/a.html#top").str(), ".html#top");
}

TEST(KorLib, RemoteFiles)
{
    for (const char* s : {"HTTPS://x", "MAILTO:me@x", "//host/x"})
        EXPECT_TRUE(KorIsRemoteFile(s)) << s;
    for (const char* s : {"", "/d/a.html", "C:\\a.html", "a.html", "file:///d/a.html", "http", "/host//x",
                          "\\\\host\\x", "httpx://a"})
        EXPECT_FALSE(KorIsRemoteFile(s)) << s;
}

TEST(KorLib, AbsolutePath)
{
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "b.html").str(), "/d/b.html");
    EXPECT_EQ(KorGetAbsolutePath("/d/e/a.html", "../img/x.gif").str(), "/d/img/x.gif");
    EXPECT_EQ(KorGetAbsolutePath("/d/e/a.html", "./x/./y/../z.gif").str(), "/d/e/x/z.gif");
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "../../../x").str(), "/x");
    EXPECT_EQ(KorGetAbsolutePath("d/a.html", "../../x").str(), "../x");
    EXPECT_EQ(KorGetAbsolutePath("", "b.html").str(), "b.html");
    // Separators stay as written; pages from Windows use backslashes.
    EXPECT_EQ(KorGetAbsolutePath("C:\\doc\\a.html", "..\\..\\b.gif").str(), "C:\\b.gif");
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "img\\..\\b.gif").str(), "/d/b.gif");
    // Absolute, drive and remote names come back unchanged.
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "/x/../y").str(), "/x/../y");
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "c:x.html").str(), "c:x.html");
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "http://h/./a").str(), "http://h/./a");
    // file: is taken off, with "//" before a third "/".
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "file:///e/b.html").str(), "/e/b.html");
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "FILE://host/x").str(), "//host/x");
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "file:b.html").str(), "/d/b.html");
    EXPECT_EQ(KorGetAbsolutePath("file:///d/a.html", "b.html").str(), "/d/b.html");
    // Query and fragment stay part of the name.
    EXPECT_EQ(KorGetAbsolutePath("/d/a.html", "../b.cgi?p=./x/../y").str(), "/b.cgi?p=./x/../y");
    // Relative links inside a network page stay on its host.
    EXPECT_EQ(KorGetAbsolutePath("http://h/d/a.html", "../../b.html").str(), "http://h/b.html");
}

TEST(KorLib, PitchAndFamily)
{
    EXPECT_EQ(KorGetPitchAndFamily("\xB1\xBC\xB8\xB2"), 0x32);
    EXPECT_EQ(KorGetPitchAndFamily("\xB1\xBC\xB8\xB2\xC3\xBC"), 0x31);
    EXPECT_EQ(KorGetPitchAndFamily("times new roman"), 0x12);
    EXPECT_EQ(KorGetPitchAndFamily("Nonexistent Face"), 0);
    EXPECT_EQ(KorGetPitchAndFamily(""), 0);
    // A list of faces gives the byte of the first one known.
    EXPECT_EQ(KorGetPitchAndFamily("Verdana, Courier New, Arial"), 0x31);
}
