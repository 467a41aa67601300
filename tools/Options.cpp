// Parsing of the korhtml tool's arguments into ToolOptions.
#include "tools/Options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace kor {

namespace {

const char* kCommon = "common options: --box-font --even-align --margins H,V --gaps LINE,PARA "
                      "--data-path DIR --global-images IMG1,IMG2 --help";

int ParseInt(const std::string& text, const std::string& option)
{
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || v < INT_MIN || v > INT_MAX)
        throw UsageError{"--" + option + ": not a number: '" + text + "'"};
    return int(v);
}

std::pair<std::string, std::string> SplitPair(const std::string& text, const std::string& option)
{
    size_t comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError{"--" + option + ": expected two values separated by a comma, got '" + text + "'"};
    return {text.substr(0, comma), text.substr(comma + 1)};
}

std::pair<int, int> IntPair(const std::string& text, const std::string& option)
{
    auto [a, b] = SplitPair(text, option);
    return {ParseInt(a, option), ParseInt(b, option)};
}

bool Contains(const std::vector<std::string>& list, const std::string& name)
{
    for (const std::string& s : list)
        if (s == name)
            return true;
    return false;
}

} // namespace

int ToolOptions::IntValue(const std::string& name, int fallback) const
{
    auto it = values.find(name);
    return it == values.end() ? fallback : ParseInt(it->second, name);
}

std::string ToolOptions::StringValue(const std::string& name, const std::string& fallback) const
{
    auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

const std::vector<CommandInfo>& Commands()
{
    static const std::vector<CommandInfo> commands = {
        {"tree", "tree FILE: prints the tag tree the parser makes of FILE", {}, {}, true},
        {"text",
         "text FILE [--width N] [--lines N] [--trim] [--images] [--lf] [--utf8]: FILE converted to plain "
         "text",
         {"trim", "images", "lf", "utf8"},
         {"width", "lines"},
         true},
        {"extract",
         "extract FILE [--width N] [--lf] [--utf8]: the text a document extracts from FILE",
         {"lf", "utf8"},
         {"width"},
         true},
        {"layout",
         "layout FILE [--width W] [--height H] [--as-text]: the layout of FILE for a W x H viewport",
         {"as-text"},
         {"width", "height"},
         true},
        {"elements",
         "elements FILE [--width W] [--height H] [--as-text]: the element tree of FILE laid out for a W x H "
         "viewport, with what measuring and layout gave each element",
         {"as-text"},
         {"width", "height"},
         true},
        {"render",
         "render FILE -o OUT.png [--width W] [--height H] [--scroll Y] [--full]: FILE painted into a PNG",
         {"full", "as-text"},
         {"o", "width", "height", "scroll"},
         true},
        {"view",
         "view [FILE] [--width W] [--height H] [--as-text] [--screenshot OUT.png [--scroll Y]]: the viewer, "
         "a "
         "window with a W x H view of FILE (the example page without FILE); Ctrl+O opens, F5 reloads, Ctrl+Q "
         "quits. With --screenshot it lays out, scrolls the view to Y, saves the view with its scroll bar as "
         "PNG "
         "and exits, with only the settings given on the command line (no visited links, no stand-in images)",
         {"as-text"},
         {"screenshot", "width", "height", "scroll"},
         false},
    };
    return commands;
}

const CommandInfo* FindCommand(const std::string& name)
{
    for (const CommandInfo& c : Commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

std::string GeneralUsage()
{
    std::string s = "usage: korhtml COMMAND [OPTIONS] FILE\ncommands:\n";
    for (const CommandInfo& c : Commands())
        s += "  " + c.usage + "\n";
    s += std::string(kCommon) + "\n";
    return s;
}

ToolOptions ParseArguments(int argc, char** argv)
{
    ToolOptions o;
    if (argc < 2)
        throw UsageError{"no command given"};
    o.command = argv[1];
    if (o.command == "--help" || o.command == "-h" || o.command == "help") {
        o.help = true;
        return o;
    }
    const CommandInfo* cmd = FindCommand(o.command);
    if (!cmd)
        throw UsageError{"unknown command '" + o.command + "'"};

    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() < 2 || arg[0] != '-') {
            if (!o.file.empty())
                throw UsageError{"more than one input file: '" + o.file + "' and '" + arg + "'"};
            o.file = arg;
            continue;
        }
        std::string name = arg.substr(arg[1] == '-' ? 2 : 1);
        std::string value;
        bool hasInlineValue = false;
        if (size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasInlineValue = true;
        }
        auto takeValue = [&]() -> std::string {
            if (hasInlineValue)
                return value;
            if (i + 1 >= argc)
                throw UsageError{"--" + name + " needs a value"};
            return argv[++i];
        };
        if (name == "help" || name == "h") {
            o.help = true;
        } else if (name == "box-font") {
            o.boxFont = true;
        } else if (name == "even-align") {
            o.evenAlign = true;
        } else if (name == "margins") {
            o.margins = IntPair(takeValue(), name);
        } else if (name == "gaps") {
            o.gaps = IntPair(takeValue(), name);
        } else if (name == "data-path") {
            std::string dir = takeValue();
            // The server appends the file name to the path as it is.
            if (dir.empty() || dir.back() != '/')
                dir += '/';
            o.dataPath = dir;
        } else if (name == "global-images") {
            o.globalImages = SplitPair(takeValue(), name);
        } else if (Contains(cmd->flags, name)) {
            if (hasInlineValue)
                throw UsageError{"--" + name + " takes no value"};
            o.values[name] = "";
        } else if (Contains(cmd->valued, name)) {
            o.values[name] = takeValue();
            // Numbers are checked here so that a bad one is a usage error before any work.
            if (name == "width" || name == "height" || name == "lines" || name == "scroll")
                ParseInt(o.values[name], name);
        } else {
            throw UsageError{"unknown option '" + arg + "' for '" + o.command + "'"};
        }
    }
    if (!o.help && cmd->fileRequired && o.file.empty())
        throw UsageError{"no input file given"};
    return o;
}

} // namespace kor
