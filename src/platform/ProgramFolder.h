#pragma once

#include <QString>

// The folder of the program file, the base of LastUsed.txt, KeyMaps and
// Skins. The command line's --home DIR puts another folder in its place.
QString ProgramFolder();
void SetProgramFolder(const QString &folder);

// Reads --home DIR (or --home=DIR) from the arguments; empty when not given.
QString HomeFromArguments(const QStringList &arguments);

// Chooses the program folder at start, sets it and returns it: the folder of
// --home if given (made with its parents and given copies of the shipped data
// when it is not there yet; an empty result when it cannot be made); else the program file's folder when a Skins folder stands
// beside it (the build folder, or a copy kept together); else the user's data
// folder, since an installed program file's folder is not the user's to write
// in. Until the user's folder holds a Skins folder, it is made and given copies
// of the shipped data from share/quorlex beside the program's bin folder;
// files the user already has there are never replaced.
QString SetUpProgramFolder(const QString &home, const QString &programFileFolder);

// $XDG_DATA_HOME/quorlex, or ~/.local/share/quorlex.
QString UserDataFolder();
