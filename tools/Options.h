// Command-line options of the korhtml tool: parsing, the common settings and usage errors.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kor {

// Thrown inside the tool only (never through the library) for arguments it cannot use.
struct UsageError
{
    std::string message;
};

struct ToolOptions
{
    std::string command;
    std::string file;
    bool help = false;
    bool boxFont = false;
    bool evenAlign = false;
    std::optional<std::pair<int, int>> margins;
    std::optional<std::pair<int, int>> gaps;
    std::optional<std::string> dataPath;
    std::optional<std::pair<std::string, std::string>> globalImages;
    // Command-specific options, by name without the dashes; flags hold "".
    std::map<std::string, std::string> values;

    bool Has(const std::string& name) const { return values.count(name) != 0; }
    int IntValue(const std::string& name, int fallback) const;
    std::string StringValue(const std::string& name, const std::string& fallback) const;
};

// What a command accepts beyond the common options: names of flags and of options taking a value.
struct CommandInfo
{
    std::string name;
    std::string usage;
    std::vector<std::string> flags;
    std::vector<std::string> valued;
    bool fileRequired = true;
};

const std::vector<CommandInfo>& Commands();
const CommandInfo* FindCommand(const std::string& name);

// Parses argv; throws UsageError for anything it cannot use.
ToolOptions ParseArguments(int argc, char** argv);
std::string GeneralUsage();

} // namespace kor
