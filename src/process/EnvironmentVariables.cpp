#include "process/EnvironmentVariables.h"

#include <algorithm>

namespace Environment {

std::optional<QString> value(const EnvironmentVariables &variables, const QString &name)
{
    const auto found = std::ranges::find(variables, name, &std::pair<QString, QString>::first);
    if (found == variables.end())
        return std::nullopt;
    return found->second;
}

void set(EnvironmentVariables &variables, const QString &name, const QString &value)
{
    const auto found = std::ranges::find(variables, name, &std::pair<QString, QString>::first);
    if (found == variables.end())
        variables.append({name, value});
    else
        found->second = value;
}

QProcessEnvironment processEnvironment(const EnvironmentVariables &variables)
{
    QProcessEnvironment environment;
    for (const auto &[name, value] : variables)
        environment.insert(name, value);
    return environment;
}

} // namespace Environment
