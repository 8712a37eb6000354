#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A child's environment as name and value pairs, in the order they were
// set, so the variables Tarnhold hands to Wine read the same every time.
using EnvironmentVariables = QList<std::pair<QString, QString>>;

namespace Environment {

std::optional<QString> value(const EnvironmentVariables &variables, const QString &name);
// Replaces the variable's value in place, or appends it when absent.
void set(EnvironmentVariables &variables, const QString &name, const QString &value);

} // namespace Environment
