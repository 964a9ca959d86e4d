#include "cli/Command.h"

namespace ojn::cli {

std::optional<QString> CommandArguments::value(const QString &option) const
{
    if (!options.isSet(option))
        return std::nullopt;
    return options.value(option);
}

Failure CommandArguments::usageError(const QString &message) const
{
    return cli::usageError(name, message);
}

Failure usageError(const QString &command, const QString &message)
{
    return Failure{QStringLiteral("%1: %2").arg(command, message)};
}

QCommandLineOption switchOption(const QString &name)
{
    return QCommandLineOption(name);
}

QCommandLineOption valueOption(const QString &name)
{
    return QCommandLineOption(name, QString(), QStringLiteral("value"));
}

} // namespace ojn::cli
