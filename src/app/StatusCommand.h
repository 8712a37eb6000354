#pragma once

#include <QCoroTask>

class QIODevice;
class TarnholdModel;

// Awaits a model's refresh as every command does before it reads or starts
// anything; a failure is one line on err and false.
QCoro::Task<bool> awaitRefresh(QCoro::Task<> refreshing, QIODevice &err);

// "tarnhold status": writes a refreshed model's status to out.
void printStatus(const TarnholdModel &model, bool json, QIODevice &out);
