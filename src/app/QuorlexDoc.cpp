#include "app/QuorlexDoc.h"

#include "app/LastUsedText.h"
#include "app/QuorlexView.h"
#include "platform/FileDialogs.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

CQuorlexDoc::CQuorlexDoc(QObject *parent) : QObject(parent) {}

bool CQuorlexDoc::OnNewDocument()
{
    if (m_pView)
        m_pView->SetViewText(std::u16string());
    ForgetFile();
    return true;
}

void CQuorlexDoc::ForgetFile()
{
    m_strPathName.clear();
    m_format = TextFileFormat();
    m_bModified = false;
}

bool CQuorlexDoc::OnOpenDocument(const QString &path)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes)) {
        Platform::MessageBox(QStringLiteral("Failed to open document.\n%1").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    TextFileFormat format;
    const std::u16string text =
        DecodeTextFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), format);
    if (m_pView)
        m_pView->SetViewText(text);
    if (IsLastUsedFile(path)) {
        NoteLastUsedFile();
        m_bLastUsedShown = true;
    }
    m_format = format;
    m_bModified = false;
    return true;
}

bool CQuorlexDoc::OnSaveDocument(const QString &path)
{
    QString error;
    const std::u16string text = m_pView ? m_pView->ViewText() : std::u16string();
    // A last-use file another program wrote since this one last saw it is
    // kept first. The text on screen is written before the user is told, so
    // that an end that does not wait for the box loses neither text.
    const bool bLastUsed = IsLastUsedFile(path);
    const QString kept = bLastUsed && ChangedElsewhere(path, text) ? KeepLastUsedAside() : QString();
    const bool bWritten = WriteTextFile(path, text, error, FormatFor(path));
    if (bLastUsed) {
        NoteLastUsedFile();
        m_bLastUsedShown = m_bLastUsedShown || bWritten;
    }
    if (!kept.isEmpty())
        Platform::MessageBox(QStringLiteral("LastUsed.txt was changed by another program while Quorlex ran. "
                                            "That text has been kept as %1.").arg(kept));
    if (!bWritten) {
        Platform::MessageBox(QStringLiteral("Failed to save document.\n%1\n%2")
                                 .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    m_bModified = false;
    return true;
}

bool CQuorlexDoc::DoSave(const QString &path, bool bReplace)
{
    QString target = path;
    if (target.isEmpty()) {
        target = Platform::GetFileDialogs().GetSaveFileName(DialogParent(), SuggestedSavePath());
        if (target.isEmpty())
            return false;
    }
    if (!OnSaveDocument(target))
        return false;
    if (bReplace) {
        m_format = FormatFor(target);
        m_strPathName = target;
    }
    return true;
}

// New never asks first, so it takes the text away as the notepad's Clear All
// does: one Undo brings it back.
void CQuorlexDoc::OnFileNew()
{
    if (!SaveModified())
        return;
    if (m_pView == nullptr || m_pView->IsKeyboardUp()) {
        OnNewDocument();
        return;
    }
    m_pView->OnEditClearAll();
    ForgetFile();
}

void CQuorlexDoc::OnFileOpen()
{
    const QString path = Platform::GetFileDialogs().GetOpenFileName(DialogParent(), ProgramFolder());
    if (path.isEmpty() || !SaveModified())
        return;
    if (OnOpenDocument(path))
        m_strPathName = path;
}

void CQuorlexDoc::OnFileSave()
{
    DoSave(m_strPathName);
}

void CQuorlexDoc::OnFileSaveAs()
{
    DoSave(QString());
}

bool CQuorlexDoc::ReadTextFile(const QString &path, std::u16string &text)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    // The program writes this file with its mark; one another program wrote
    // in UTF-8 is read as UTF-8 rather than turned into other characters.
    TextFileFormat format;
    text = DecodeTextFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), format);
    return true;
}

bool CQuorlexDoc::ReadFileBytes(const QString &path, QByteArray &bytes)
{
    // Only regular files: a pipe or a device would block or never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError && bytes.size() <= kMaxFileBytes;
}

bool CQuorlexDoc::WriteTextFile(const QString &path, std::u16string_view text, QString &error,
                                const TextFileFormat &format)
{
    const std::string bytes = EncodeTextFile(text, format);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        error = file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

QString CQuorlexDoc::LastUsedPath()
{
    return QDir(ProgramFolder()).filePath(QStringLiteral("LastUsed.txt"));
}

QString CQuorlexDoc::KeepLastUsedAside()
{
    const QString path = LastUsedPath();
    if (!QFileInfo(path).isFile())
        return QString();
    const QDir folder(ProgramFolder());
    for (int n = 1; n < 1000; ++n) {
        const QString kept =
            n == 1 ? QStringLiteral("LastUsed-kept.txt") : QStringLiteral("LastUsed-kept-%1.txt").arg(n);
        if (QFileInfo(folder.filePath(kept)).exists() || QFileInfo(folder.filePath(kept)).isSymLink())
            continue;
        return QFile::rename(path, folder.filePath(kept)) ? kept : QString();
    }
    return QString();
}

// Anything beyond a byte-order mark counts as text: reading a file of any
// size only to learn that it is empty is not worth it at the end of a run.
bool CQuorlexDoc::HoldsUnshownLastUsedText() const
{
    const QFileInfo file(LastUsedPath());
    return !m_bLastUsedShown && file.isFile() && file.size() > 2;
}

void CQuorlexDoc::NoteLastUsedFile()
{
    m_lastUsedStamp = StampOf(LastUsedPath());
}

CQuorlexDoc::FileStamp CQuorlexDoc::StampOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return FileStamp{};
    return {static_cast<long long>(info.st_dev), static_cast<long long>(info.st_ino),
            static_cast<long long>(info.st_size), static_cast<long long>(info.st_mtim.tv_sec),
            static_cast<long long>(info.st_mtim.tv_nsec)};
}

// Changed, and not to the very text about to be written (as when another
// copy of the program left the same text).
bool CQuorlexDoc::ChangedElsewhere(const QString &path, const std::u16string &text) const
{
    if (StampOf(path) == m_lastUsedStamp)
        return false;
    QByteArray bytes;
    return !ReadFileBytes(path, bytes) || std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())) !=
                                              EncodeTextFile(text, TextFileFormat());
}

bool CQuorlexDoc::IsLastUsedFile(const QString &path)
{
    return QFileInfo(path).absoluteFilePath() == QFileInfo(LastUsedPath()).absoluteFilePath();
}

// An opened file goes back the way it came; every other file, and the
// last-use file always, in the last-use format.
TextFileFormat CQuorlexDoc::FormatFor(const QString &path) const
{
    if (path != m_strPathName || IsLastUsedFile(path))
        return TextFileFormat();
    return m_format;
}

QWidget *CQuorlexDoc::DialogParent() const
{
    return m_pView ? m_pView->window() : nullptr;
}

QString CQuorlexDoc::SuggestedSavePath() const
{
    if (!m_strPathName.isEmpty())
        return m_strPathName;
    return QDir(ProgramFolder()).filePath(QStringLiteral("Untitled.txt"));
}
