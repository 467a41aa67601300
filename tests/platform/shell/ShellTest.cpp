// Tests of the shell layer: temporary path, file copies and searches, shell requests, priority.
#include "platform/shell/shell.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

// A shell script at path that stands in for a program.
void WriteScript(const std::string& path, const std::string& body)
{
    ASSERT_TRUE(WriteFileBytes(path, "#!/bin/sh\n" + body));
    ::chmod(path.c_str(), 0755);
}

int Code(HINSTANCE h)
{
    return int(reinterpret_cast<intptr_t>(h));
}

class ShellTest : public ::testing::Test
{
protected:
    std::string Path(const std::string& name) const { return dir.File(name.c_str()); }
    TempDir dir;
};

} // namespace

TEST_F(ShellTest, TempDirectory)
{
    char buf[1024];
    {
        ScopedEnv env("TMPDIR", "/var/tmpx");
        EXPECT_EQ(GetTempPathA(5, buf), 11u); // too small: the size needed, the slash added
    }
    {
        ScopedEnv env("TMPDIR", "");
        GetTempPathA(sizeof buf, buf);
        EXPECT_STREQ(buf, "/tmp/");
    }
}

TEST_F(ShellTest, CopyFileOverwritesRefusesAndNeverEatsItself)
{
    const std::string bytes("GIF\0\x01\x02tail", 10);
    WriteFileBytes(Path("a.gif"), bytes);
    WriteFileBytes(Path("old.gif"), "previous content that is longer");

    EXPECT_FALSE(CopyFileA(Path("a.gif").c_str(), Path("old.gif").c_str(), TRUE));
    EXPECT_EQ(ReadFileBytes(Path("old.gif")), "previous content that is longer");
    EXPECT_TRUE(CopyFileA(Path("a.gif").c_str(), Path("old.gif").c_str(), FALSE));
    EXPECT_EQ(ReadFileBytes(Path("old.gif")), bytes);

    // Onto itself, even through another name of the same file: refused, content intact.
    EXPECT_FALSE(CopyFileA(Path("a.gif").c_str(), (dir.Path() + "/./a.gif").c_str(), FALSE));
    EXPECT_EQ(ReadFileBytes(Path("a.gif")), bytes);

    EXPECT_FALSE(CopyFileA(Path("missing.gif").c_str(), Path("c.gif").c_str(), FALSE));
    EXPECT_FALSE(CopyFileA(Path("a.gif").c_str(), Path("no/dir/c.gif").c_str(), FALSE));
    EXPECT_FALSE(CopyFileA(dir.Path().c_str(), Path("d.gif").c_str(), FALSE));

    // A source named with backslashes, as pages written on Windows name their images.
    std::string back = dir.Path() + "\\a.gif";
    EXPECT_TRUE(CopyFileA(back.c_str(), Path("e.gif").c_str(), FALSE));
    EXPECT_EQ(ReadFileBytes(Path("e.gif")), bytes);
}

TEST_F(ShellTest, FindFirstByName)
{
    WriteFileBytes(Path("one.gif"), "12345");
    WriteFileBytes(Path("two.gif"), "1");
    WriteFileBytes(Path("three.png"), "");
    _finddata_t fd;
    intptr_t h = _findfirst(Path("one.gif").c_str(), &fd);
    ASSERT_NE(h, -1);
    EXPECT_STREQ(fd.name, "one.gif");
    EXPECT_EQ(fd.size, 5u);
    EXPECT_FALSE(fd.attrib & _A_SUBDIR);
    EXPECT_EQ(_findnext(h, &fd), -1);
    EXPECT_EQ(_findclose(h), 0);
    EXPECT_EQ(_findclose(h), -1); // closed already

    EXPECT_EQ(_findfirst(Path("none.gif").c_str(), &fd), -1);
    EXPECT_EQ(_findfirst("", &fd), -1);

    std::string back = dir.Path() + "\\two.gif";
    h = _findfirst(back.c_str(), &fd);
    ASSERT_NE(h, -1);
    EXPECT_STREQ(fd.name, "two.gif");
    _findclose(h);
}

TEST_F(ShellTest, RealRequestsThroughStandInPrograms)
{
    // Programs on a PATH of our own stand in for lp, xdg-open and xdg-mime and note their arguments.
    std::string bin = Path("bin");
    ASSERT_EQ(::mkdir(bin.c_str(), 0755), 0);
    WriteFileBytes(Path("page.html"), "<p>x</p>");
    std::string page = Path("page.html");

    {
        ScopedEnv path("PATH", bin);
        // Nothing to run: no association; a missing file is reported before that.
        EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", page.c_str(), nullptr, nullptr, SW_HIDE)), 31);
        EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, page.c_str(), nullptr, nullptr, SW_SHOWNORMAL)), 31);
        EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", Path("gone.html").c_str(), nullptr, nullptr, 0)), 2);
        EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, Path("gone.html").c_str(), nullptr, nullptr, 0)), 2);
        char out[MAX_PATH];
        EXPECT_EQ(Code(FindExecutableA(page.c_str(), nullptr, out)), 31);
        EXPECT_EQ(Code(FindExecutableA(Path("gone.html").c_str(), nullptr, out)), 2);

        WriteScript(bin + "/lp", "printf '%s|' \"$@\" > " + Path("lp.args") + "\nexit 0\n");
        EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", "page.html", "-n 2", dir.Path().c_str(), 0)), 42);
        EXPECT_EQ(ReadFileBytes(Path("lp.args")), page + "|-n|2|");
        WriteScript(bin + "/lp", "echo no printer >&2\nexit 1\n");
        EXPECT_EQ(Code(ShellExecuteA(nullptr, "PRINT", page.c_str(), nullptr, nullptr, 0)), 29);

        // xdg-open is not waited for: the call returns while the opener still waits (up to 5 s) for a
        // file that only appears after it, and the opener then runs on. (PATH holds only the stand-ins.)
        WriteScript(bin + "/xdg-open", "i=0\nwhile [ ! -e " + Path("go") +
                                           " ] && [ $i -lt 500 ]; do /bin/sleep 0.01; i=$((i+1)); done\n"
                                           "printf '%s' \"$1\" > " +
                                           Path("open.arg") + "\n");
        EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, "http://example.com/a b", nullptr, nullptr, 1)), 42);
        EXPECT_EQ(ReadFileBytes(Path("open.arg")), "<missing>");
        WriteFileBytes(Path("go"), "");
        // A loaded machine may take seconds to run the opener on; the wait ends as soon as it wrote.
        for (int i = 0; i < 3000 && ReadFileBytes(Path("open.arg")) == "<missing>"; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(ReadFileBytes(Path("open.arg")), "http://example.com/a b");

        // FindExecutable: type, default application, its desktop entry's command.
        WriteScript(bin + "/xdg-mime",
                    "if [ \"$2\" = filetype ]; then echo text/html; else echo fake-viewer.desktop; fi\n");
        ScopedEnv data("XDG_DATA_HOME", Path("share"));
        ASSERT_EQ(::mkdir(Path("share").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(Path("share/applications").c_str(), 0755), 0);
        WriteFileBytes(Path("share/applications/fake-viewer.desktop"),
                       "[Desktop Entry]\nName=Fake\nExec=env A=1 /bin/cat %f\n");
        EXPECT_EQ(Code(FindExecutableA(page.c_str(), nullptr, out)), 42);
        EXPECT_STREQ(out, "/bin/cat");
    }
}

TEST_F(ShellTest, ThreadPriorityIsKeptAndRestored)
{
    pid_t tid = pid_t(::syscall(SYS_gettid));
    errno = 0;
    int startNice = ::getpriority(PRIO_PROCESS, id_t(tid));
    HANDLE self = GetCurrentThread();
    int before = GetThreadPriority(self);
    EXPECT_TRUE(SetThreadPriority(self, THREAD_PRIORITY_TIME_CRITICAL));
    EXPECT_EQ(GetThreadPriority(self), 15);
    EXPECT_LE(::getpriority(PRIO_PROCESS, id_t(tid)), startNice);
    EXPECT_TRUE(SetThreadPriority(self, THREAD_PRIORITY_LOWEST));
    EXPECT_EQ(GetThreadPriority(self), -2);
    EXPECT_EQ(::getpriority(PRIO_PROCESS, id_t(tid)), startNice); // never below the start
    EXPECT_TRUE(SetThreadPriority(self, before));
    EXPECT_EQ(GetThreadPriority(self), before);
    EXPECT_EQ(::getpriority(PRIO_PROCESS, id_t(tid)), startNice);
}
