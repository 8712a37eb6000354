#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

// Sets an environment variable (or unsets it, for a null value) for one
// test and restores it afterwards.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const QString &value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    Q_DISABLE_COPY_MOVE(ScopedVariable)

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};
