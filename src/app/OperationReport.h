#pragma once

#include "app/TerminalLine.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <functional>

class OperationState;
class QIODevice;

// Shows on the command line what the window's busy overlay and alerts show:
// while an operation runs, its activity and progress; when it has ended, its
// error on err or its notice on out. On a terminal the progress is one line
// redrawn in place; otherwise each new activity is a line of its own.
class OperationReport final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OperationReport)

public:
    OperationReport(OperationState &operation, QIODevice &out, QIODevice &err, bool terminal,
                    QObject *parent = nullptr);
    ~OperationReport() override;

    // Forgets the messages of earlier operations, calls start, and resolves
    // once the operation it started has ended: 1 when it left an error,
    // otherwise 0.
    QCoro::Task<int> follow(std::function<void()> start);

private:
    void showActivity();
    void redraw();
    int conclude();

    OperationState &m_operation;
    QIODevice &m_out;
    QIODevice &m_err;
    const bool m_terminal;
    QString m_shownActivity;
    TerminalLine m_line;
};
