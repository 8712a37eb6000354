#pragma once

#include <QByteArray>
#include <QString>

class TarnholdModel;

// What "tarnhold status" prints, read from a refreshed model: a summary for
// people, or one JSON object for scripts.
QString statusText(const TarnholdModel &model);
QByteArray statusJson(const TarnholdModel &model);
