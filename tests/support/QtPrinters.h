#pragma once

#include <QString>
#include <QUrl>

#include <optional>
#include <ostream>

// Readable failure messages for Qt values; included into every test
// translation unit by the build so all of them print alike.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QUrl &url, std::ostream *out)
{
    *out << url.toString().toStdString();
}
