// Running the korhtml tool (the program CMake names in KORHTML_TOOL) from tests, with pages and PNGs in a
// temporary directory.
#pragma once

#include "DocTestUtil.h"
#include "TempDir.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

    // Runs the tool with the arguments; env holds assignments for its environment ("A=1 B=2"); the
    // output goes to outFile when one is named.
    Result Run(const std::vector<std::string>& args, const std::string& env = "",
               const std::string& outFile = "")
    {
        QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
        vars.remove("KORHTML_BOX_FONT");
        for (const QString& pair : QString::fromStdString(env).split(' ', Qt::SkipEmptyParts))
            vars.insert(pair.section('=', 0, 0), pair.section('=', 1));
        QStringList list;
        for (const std::string& a : args)
            list << QString::fromStdString(a);
        QProcess tool;
        tool.setProcessEnvironment(vars);
        if (!outFile.empty())
            tool.setStandardOutputFile(QString::fromStdString(outFile));
        tool.start(KORHTML_TOOL, list);
        Result r;
        r.status =
            tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        r.out = tool.readAllStandardOutput().toStdString();
        r.err = tool.readAllStandardError().toStdString();
        return r;
    }

    // Runs the tool and expects it to succeed (status 0); the output.
    std::string RunOk(const std::vector<std::string>& args, const std::string& env = "")
    {
        Result r = Run(args, env);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }

    QImage Png(const std::string& path) { return QImage(QString::fromStdString(path), "PNG"); }

    // The view command's screenshot at w x h and scroll y (into viewPng) against the render command's
    // picture of the same page w - 16 wide (into rendered): the same beside the scroll bar.
    void Compare(const std::string& page, int w, int h, int y, const std::vector<std::string>& extra)
    {
        SCOPED_TRACE(page + " " + std::to_string(w) + "x" + std::to_string(h) + " at " + std::to_string(y));
        const std::vector<std::string> size = {"--height", std::to_string(h), "--scroll", std::to_string(y)};
        std::vector<std::string> shot = {
            "view", page, "--screenshot", dir.File("view.png"), "--width", std::to_string(w)};
        std::vector<std::string> render = {
            "render", page, "-o", dir.File("render.png"), "--width", std::to_string(w - 16)};
        for (std::vector<std::string>* args : {&shot, &render}) {
            args->insert(args->end(), size.begin(), size.end());
            args->insert(args->end(), extra.begin(), extra.end());
            RunOk(*args);
        }
        viewPng = Png(dir.File("view.png"));
        rendered = Png(dir.File("render.png"));
        ASSERT_EQ(viewPng.size(), QSize(w, h));
        ASSERT_EQ(rendered.size(), QSize(w - 16, h));
        EXPECT_EQ(DifferentPixels(viewPng, rendered, w - 16), 0);
    }

    QImage viewPng, rendered;
    TempDir dir;
};
