#pragma once

#include <QCoroTask>

class QIODevice;
class TarnholdModel;

// Awaits a model's refresh as every command does before it reads or starts
// anything; a failure is one line on err and false.
QCoro::Task<bool> awaitRefresh(QCoro::Task<> refreshing, QIODevice &err);

// "tarnhold status": awaits refreshing and writes the model's status to out,
// or the reason it failed to err; gives the exit status.
QCoro::Task<int> printStatus(QCoro::Task<> refreshing, const TarnholdModel &model, bool json, QIODevice &out,
                             QIODevice &err);
