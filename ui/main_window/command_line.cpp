// The desktop program's command line: ravo [FILE], --help and --version.
#include "ui/main_window/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <cstdio>

#include "core/version.h"

namespace ravo {
namespace {

// Writes the text to the stream as the terminal's encoding expects it.
void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

StartRequest ReadCommandLine(const QStringList& arguments, bool strict)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    parser.addOption(help);
    parser.addOption(version);
    // Unknown options leave the known ones read.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help))
        return {StartAction::ShowHelp, {}, {}};
    if (parser.isSet(version))
        return {StartAction::ShowVersion, {}, {}};
    if (!strict)
        return {};
    if (!parsed)
        return {StartAction::Refuse, {}, parser.errorText()};
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return {StartAction::Refuse, {}, QStringLiteral("Only one file can be opened at a time.")};
    if (!files.isEmpty() && files.constFirst().isEmpty())
        return {StartAction::Refuse, {}, QStringLiteral("The file name is empty.")};
    return {StartAction::OpenWindow, files.value(0), {}};
}

QString HelpText()
{
    return QStringLiteral(
        "Usage: ravo [options] [FILE]\n"
        "Finished road elevations from vertical curves and superelevation.\n"
        "\n"
        "Opens FILE as File > Load Input does: a Ravo input file, a LandXML file\n"
        "or a table of PVIs (CSV).\n"
        "\n"
        "Options:\n"
        "  -h, --help     Shows this help.\n"
        "  -v, --version  Shows the version.\n"
        "\n"
        "The toolkit's options (-platform, -style, ...) are accepted as well.\n");
}

QString VersionText()
{
    return QStringLiteral("ravo ") +
           QString::fromUtf8(RavoVersion.data(), static_cast<qsizetype>(RavoVersion.size())) +
           QLatin1Char('\n');
}

std::optional<int> AnswerWithoutWindow(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    switch (ReadCommandLine(arguments, false).action) {
    case StartAction::ShowHelp:
        Print(stdout, HelpText());
        return 0;
    case StartAction::ShowVersion:
        Print(stdout, VersionText());
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<int> RefuseBadCommandLine(const StartRequest& request)
{
    if (request.action != StartAction::Refuse)
        return std::nullopt;
    Print(
        stderr,
        QStringLiteral("ravo: %1\nTry 'ravo --help' for more information.\n").arg(request.message));
    return 2;
}

}  // namespace ravo
