// The korhtml command-line tool: argument handling, the common settings and command dispatch.
#include "tools/Commands.h"
#include "tools/Options.h"

#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Headless: every command renders into images or prints, none needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Qt wants a private runtime directory; headless machines often lack one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QByteArray dir = "/tmp/korhtml-runtime-" + QByteArray::number(getuid());
        mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    kor::ToolOptions options;
    try {
        options = kor::ParseArguments(argc, argv);
    } catch (const kor::UsageError& e) {
        std::fprintf(stderr, "korhtml: %s\n%s", e.message.c_str(), kor::GeneralUsage().c_str());
        return 2;
    }
    if (options.help) {
        const kor::CommandSpec* cmd = kor::FindCommand(options.command);
        std::fputs(cmd ? ("usage: korhtml " + cmd->usage + "\n").c_str() : kor::GeneralUsage().c_str(),
                   stdout);
        return 0;
    }

    QApplication app(argc, argv);
    try {
        return kor::RunCommand(options);
    } catch (const kor::UsageError& e) {
        std::fprintf(stderr, "korhtml: %s\n", e.message.c_str());
        return 2;
    }
}
