#pragma once

#include <QList>
#include <QProcessEnvironment>
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
// Exactly these variables for a child: nothing of Tarnhold's own is passed on.
QProcessEnvironment processEnvironment(const EnvironmentVariables &variables);

} // namespace Environment
