#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File reading and writing for the command-line tools. Every failure comes
// back as one line naming the file and what is wrong with it; nothing is
// ever half-written.

// Lines for the user: results on standard output, failures on standard error.
void PrintLine(const QString &text);
void PrintError(const QString &text);

// The tool's usage text. Asked for, it goes to standard output (status 0);
// after a wrong argument, to standard error under what is wrong (status 2).
int PrintUsage(const char *usage, const QString &problem = QString());

// Answers "--help", "-h" and "--version" when the first argument is one of
// them; status is then the exit status.
bool AnswerHelpOrVersion(const QStringList &arguments, const char *usage, int &status);

// The path with the extension (".kbskn") added unless it ends in it in any
// letter case, as the program lists only files that carry it.
QString WithExtension(const QString &path, const QString &extension);

// Reads the whole file, refusing files larger than limit bytes; "-" reads
// standard input.
bool ReadWholeFile(const QString &path, qint64 limit, QByteArray &bytes, QString &error);

// Replaces the file's content as a whole: the bytes go to a scratch file that
// takes the file's place only once all of them are written.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString &error);

// Checks every file, not stopping at the first bad one: exit status 0 when
// all of them passed, 1 otherwise.
int CheckEach(const QStringList &paths, bool (*checkOne)(const QString &path));
