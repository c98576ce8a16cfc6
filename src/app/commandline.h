#pragma once
// The program's command line, parsed without a display: --help and --version
// must work on a machine without X, and the result is plain data that main()
// acts on (print and exit, or start with the given colour).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace tintwell {

// What a started program does differently from a plain start.
struct StartOptions {
    std::optional<std::int32_t> StartColor; // colour value 0x00BBGGRR
};

struct CommandLineResult {
    // Set when the program is to start; otherwise print and exit with ExitCode.
    std::optional<StartOptions> Start;
    int ExitCode = 0;
    QString Output; // for standard output (help, version)
    QString Error;  // for standard error (a bad command line)
};

// Exit status of a command line that cannot be used.
constexpr int kExitUsage = 2;

// arguments[0] is the program name, as in QCoreApplication::arguments().
// --help and --version win over anything else on the line, so "tintwell
// -platform xcb --help" still prints the help even though the toolkit's own
// options are unknown here.
CommandLineResult ParseCommandLine(const QStringList &arguments, const QString &version);

// "RRGGBB" or "#RRGGBB", six hexadecimal digits in either case.
std::optional<std::int32_t> ParseColorArgument(const QString &text);

// True when the line asks only for text (help or version), so main() can
// answer before it needs a display.
bool AsksForTextOnly(const QStringList &arguments);

} // namespace tintwell
