#pragma once

#include <QByteArray>
#include <QString>

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

} // namespace FileTree
