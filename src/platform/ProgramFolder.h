#pragma once

#include <QString>

// The folder of the program file, the base of LastUsed.txt, KeyMaps and
// Skins. The command line's --home DIR puts another folder in its place.
QString ProgramFolder();
void SetProgramFolder(const QString &folder);

// Reads --home DIR (or --home=DIR) from the arguments; empty when not given.
QString HomeFromArguments(const QStringList &arguments);
