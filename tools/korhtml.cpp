// The korhtml command-line tool: argument handling, the common settings and command dispatch.
#include "tools/Commands.h"
#include "tools/Options.h"
#include "platform/win/win.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <optional>

int main(int argc, char** argv)
{
    kor::ToolOptions options;
    try {
        options = kor::ParseArguments(argc, argv);
    } catch (const kor::UsageError& e) {
        std::fprintf(stderr, "korhtml: %s\n%s", e.message.c_str(), kor::GeneralUsage().c_str());
        return 2;
    }
    if (options.help) {
        const kor::CommandInfo* cmd = kor::FindCommand(options.command);
        std::fputs(cmd ? ("usage: korhtml " + cmd->usage + "\n").c_str() : kor::GeneralUsage().c_str(),
                   stdout);
        return 0;
    }

    // Only the interactive viewer needs a screen; every other command renders into images or prints.
    // Commands that measure nothing start no GUI application, and with it no font configuration.
    kor::PrepareHeadless(kor::IsInteractive(options));
    std::optional<QApplication> gui;
    std::optional<QCoreApplication> core;
    if (kor::NeedsFonts(options))
        gui.emplace(argc, argv);
    else
        core.emplace(argc, argv);
    try {
        return kor::RunCommand(options);
    } catch (const kor::UsageError& e) {
        std::fprintf(stderr, "korhtml: %s\n", e.message.c_str());
        return 2;
    }
}
