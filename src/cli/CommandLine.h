#pragma once

#include "model/FieldValues.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ojn::cli {

enum class Command { Help, Version, Show, Set, Extract, Check, ListShow, ListBuild, ListSync, Export, Import };

// One run of the program, as the command line asks for it.
struct Invocation {
    Command command = Command::Help;
    QStringList files;
    bool json = false;                   // show, check, list show
    FieldEdits edits;                    // set
    std::optional<QString> coverPath;    // set: picture to put in; extract: file to write
    std::optional<QString> thumbnailPath; // the same for the thumbnail
    std::optional<QString> outputPath;   // set: where to write instead of the chart itself; list build: the list; export: the CSV
    std::optional<QString> listPath;     // check: the song list to compare with the charts
    std::optional<QString> sectionsFrom; // list build: the old list whose extra sections the new one carries
    bool dryRun = false;                 // list sync, import: write nothing
    bool dropMissing = false;            // list sync: drop entries that have no chart
    std::optional<int> codePage;         // texts in this Windows code page instead of the locale's
};

struct [[nodiscard]] ParsedCommandLine {
    std::optional<Invocation> invocation; // nothing on a usage error
    QString error;
};

// Reads the arguments that follow the program's name. Checks the shape
// (known command and options, values present, files given) and the code
// page; what the field values mean is checked by the command.
ParsedCommandLine parseCommandLine(const QStringList &arguments);

// The whole manual, printed by --help.
[[nodiscard]] QString helpText();
[[nodiscard]] QString versionText();
// The two lines printed after a usage error.
[[nodiscard]] QString usageHint();

} // namespace ojn::cli
