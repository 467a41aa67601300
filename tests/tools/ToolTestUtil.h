// Running the korhtml tool (the program CMake names in KORHTML_TOOL) from tests, with pages and PNGs in a
// temporary directory.
#pragma once

#include "TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A word for the shell, quoted.
inline std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct Result
{
    int status = -1;
    std::string out, err;
};

class ToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(dir.Path().empty());
        ASSERT_TRUE(std::filesystem::exists(KORHTML_TOOL)) << "build korhtml-tool first: " << KORHTML_TOOL;
    }

    std::string Page(const char* name, const std::string& bytes)
    {
        std::string path = dir.File(name);
        EXPECT_TRUE(WriteFileBytes(path, bytes));
        return path;
    }

    // Runs the tool with the arguments; env holds assignments for its environment ("A=1 B=2").
    Result Run(const std::vector<std::string>& args, const std::string& env = "")
    {
        std::string cmd = "env -u KORHTML_BOX_FONT " + env + " " + Quote(KORHTML_TOOL);
        for (const std::string& a : args)
            cmd += " " + Quote(a);
        cmd += " >" + Quote(dir.File("stdout")) + " 2>" + Quote(dir.File("stderr"));
        Result r;
        int raw = std::system(cmd.c_str());
        r.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = ReadFileBytes(dir.File("stdout"));
        r.err = ReadFileBytes(dir.File("stderr"));
        return r;
    }

    QImage Png(const std::string& path)
    {
        std::string bytes = ReadFileBytes(path);
        return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()), "PNG");
    }

    TempDir dir;
};

inline unsigned Rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// How many pixels of the left width columns of a and b differ; -1 when either is too small.
inline int DifferentPixels(const QImage& a, const QImage& b, int width)
{
    if (a.width() < width || b.width() < width || a.height() != b.height())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < width; ++x)
            n += Rgb(a, x, y) != Rgb(b, x, y);
    return n;
}
