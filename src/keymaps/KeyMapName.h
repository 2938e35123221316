#pragma once

#include <string>

// How the key map editor turns the name a user types into the file a new map
// is stored in.

// The typed name with ".kmap" appended unless it already ends in ".kmap" in
// any letter case ("German" gives "German.kmap", "my.map" "my.map.kmap").
// Empty when the typed name could not stay one file inside the KeyMaps
// folder: empty, "." or "..", or holding a separator or NUL.
std::u16string CompleteKeyMapName(const std::u16string &typed);

// Makes sure a map of that name can be written in the folder: creates the
// folder (one level) and the file, empty, when they are missing. An existing
// file is opened for writing but keeps its content until the map replaces it
// as a whole. False when the file cannot be created or written (bad
// characters, a folder that cannot be made, read-only file, unsafe name).
bool PrepareKeyMapFile(const std::u16string &folder, const std::u16string &name);
