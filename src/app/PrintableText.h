#pragma once

#include <QString>

// Record fields, folder names and error descriptions come from files and
// programs anyone can write: a control character among them must not reach
// the terminal as one. Backslashes are doubled so the escape is unambiguous.
QString printable(const QString &text);
