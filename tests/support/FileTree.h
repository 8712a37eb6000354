#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Helpers to lay out folder trees in a test's temporary home. Each creates
// any missing parent folders and fails the current test when it cannot.
namespace FileTree {

QString home();
// A path below the temporary home.
QString inHome(const QString &relative);

void makeFolder(const QString &path);
void writeFile(const QString &path, const QByteArray &contents = {});
void writeExecutable(const QString &path, const QByteArray &contents = QByteArrayLiteral("#!/bin/sh\n"));
void makeSymlink(const QString &target, const QString &link);
// Packs the entries of folder into archive: a zip by that name, otherwise a
// tar whose compression tar picks by name.
void pack(const QString &archive, const QString &folder, const QStringList &entries);
// The file's contents, empty when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace FileTree
