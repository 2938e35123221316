#include "BenchEnvironment.h"

#include "app/LastUsedText.h"
#include "settings/Settings.h"
#include "platform/IniProfile.h"
#include "platform/ProgramFolder.h"

#include <QFile>

BenchEnvironment::BenchEnvironment()
    : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME")), m_bHadConfigHome(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_configFolder.path().toLocal8Bit());
    SetProgramFolder(m_programFolder.path());
}

BenchEnvironment::~BenchEnvironment()
{
    SetProgramFolder(QString());
    if (m_bHadConfigHome)
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    else
        qunsetenv("XDG_CONFIG_HOME");
}

void BenchEnvironment::WriteSetting(const std::u16string &name, int value) const
{
    IniProfile profile(IniProfile::PreferencesPath());
    profile.WriteInt(kSettingsSection, name, value);
}

void BenchEnvironment::WriteLastUsedText(std::u16string_view text) const
{
    QFile file(m_programFolder.filePath(QStringLiteral("LastUsed.txt")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    const std::string bytes = EncodeLastUsedText(text);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::vector<std::u16string> MakeLines(int nLines)
{
    static const std::u16string words = u"the quick brown fox jumps over the lazy dog ";
    std::vector<std::u16string> lines;
    lines.reserve(static_cast<size_t>(nLines));
    for (int i = 0; i < nLines; ++i) {
        std::u16string line = QString::number(i).toStdU16String() + u' ';
        while (line.size() < 50)
            line += words;
        line.resize(50);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::u16string MakeLongLine(int nCharacters)
{
    static const std::u16string words = u"the quick brown fox jumps over the lazy dog ";
    std::u16string line;
    line.reserve(static_cast<size_t>(nCharacters) + words.size());
    while (line.size() < static_cast<size_t>(nCharacters))
        line += words;
    line.resize(static_cast<size_t>(nCharacters));
    return line;
}

std::u16string MakeFlatText(int nCharacters)
{
    const int nLines = std::max(nCharacters / 52, 1);
    std::u16string text;
    text.reserve(static_cast<size_t>(nLines) * 52);
    for (const std::u16string &line : MakeLines(nLines)) {
        if (!text.empty())
            text += u"\r\n";
        text += line;
    }
    return text;
}
