// Finding the command or option that a mistyped name was meant to be.
#include "name_check.h"

#include <algorithm>
#include <numeric>

namespace ravo::calc {
namespace {

std::vector<std::string> CommandNames(const CLI::App& app)
{
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    return names;
}

const CLI::Option* FindLong(const CLI::App& app, std::string_view name)
{
    for (const CLI::Option* option : app.get_options()) {
        const std::vector<std::string>& names = option->get_lnames();
        if (std::find(names.begin(), names.end(), name) != names.end())
            return option;
    }
    return nullptr;
}

std::vector<std::string> LongNames(const CLI::App& app)
{
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options())
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
    return names;
}

std::string Unknown(const std::string& what, const std::string& name,
                    const std::vector<std::string>& known)
{
    std::string message = "unknown " + what + " \"" + name + "\"";
    const std::string nearest = NearestName(name, known);
    if (!nearest.empty())
        message += " (did you mean \"" + nearest + "\"?)";
    return message;
}

// Checks the long options in args[first, end) against those of command and of
// the program; "--" ends the options.
void CheckOptions(const CLI::App& program, const CLI::App& command,
                  const std::vector<std::string>& args, std::size_t first, std::size_t end)
{
    for (std::size_t i = first; i < end; ++i) {
        const std::string& arg = args[i];
        if (arg == "--")
            return;
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0)
            continue;
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
        const CLI::Option* option = FindLong(command, name);
        if (option == nullptr)
            option = FindLong(program, name);
        if (option == nullptr) {
            std::vector<std::string> known = LongNames(command);
            const std::vector<std::string> global = LongNames(program);
            known.insert(known.end(), global.begin(), global.end());
            const std::string owner = &command == &program ? "" : command.get_name();
            throw UnknownNameError(owner, Unknown("option", "--" + name, known));
        }
        if (equals == std::string::npos && option->get_expected_min() > 0)
            ++i;  // its value, which may begin with "--"
    }
}

}  // namespace

std::size_t EditDistance(std::string_view a, std::string_view b)
{
    // Three rows of the table: two rows back (for swaps), the last and this one.
    std::vector<std::size_t> before(b.size() + 1), last(b.size() + 1), row(b.size() + 1);
    std::iota(last.begin(), last.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replace = last[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, replace});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(last);
        last.swap(row);
    }
    return last[b.size()];
}

std::string NearestName(std::string_view word, const std::vector<std::string>& candidates)
{
    const std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
    std::string nearest;
    std::size_t best = allowed + 1;
    for (const std::string& candidate : candidates) {
        const std::size_t distance = EditDistance(word, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}

void CheckNames(const CLI::App& app, const std::vector<std::string>& args)
{
    std::size_t i = 0;
    while (i < args.size() && args[i].size() > 1 && args[i][0] == '-')
        ++i;
    CheckOptions(app, app, args, 0, i);
    if (i == args.size())
        return;
    const std::vector<std::string> commands = CommandNames(app);
    if (std::find(commands.begin(), commands.end(), args[i]) == commands.end())
        throw UnknownNameError("", Unknown("command", args[i], commands));
    CheckOptions(app, *app.get_subcommand(args[i]), args, i + 1, args.size());
}

}  // namespace ravo::calc
