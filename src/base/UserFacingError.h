#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The base of every error an operation can throw: it carries the sentence
// the user reads after the operation's own prefix.
class UserFacingError : public std::exception
{
public:
    explicit UserFacingError(QString description)
        : m_description(std::move(description))
        , m_what(m_description.toUtf8())
    {}

    QString description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_description;
    QByteArray m_what;
};
