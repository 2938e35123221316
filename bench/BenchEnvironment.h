#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

// A program folder and a settings folder of the benchmark's own, so that no
// user's preferences, skins or saved text change the figures. The settings
// folder is also what the program started as a process reads.
class BenchEnvironment
{
public:
    BenchEnvironment();
    ~BenchEnvironment();
    BenchEnvironment(const BenchEnvironment &) = delete;
    BenchEnvironment &operator=(const BenchEnvironment &) = delete;

    QString ProgramFolder() const { return m_programFolder.path(); }
    // Writes one integer preference of the program's section.
    void WriteSetting(const std::u16string &name, int value) const;
    // LastUsed.txt in the program folder, as the program saves it.
    void WriteLastUsedText(std::u16string_view text) const;

private:
    QTemporaryDir m_programFolder;
    QTemporaryDir m_configFolder;
    QByteArray m_oldConfigHome;
    bool m_bHadConfigHome;
};

// Lines of exactly 50 characters, words and a number, as typed text looks.
std::vector<std::u16string> MakeLines(int nLines);
// One line of that many characters, words as typed text has them.
std::u16string MakeLongLine(int nCharacters);
// The same lines as a flat text of about nCharacters characters, CR LF
// between lines.
std::u16string MakeFlatText(int nCharacters);
