#pragma once

#include "app/LastUsedText.h"

#include <QObject>
#include <QString>

#include <array>
#include <string>
#include <string_view>

class CQuorlexView;
class QByteArray;
class QWidget;

// The document of the single-document program. The text itself lives in the
// notepad view; the document gives it a path, a modified flag and the file
// format of LastUsed.txt, which Open, Save and Save As use as well. Closing
// never asks about unsaved changes: only the Exit commands save on leaving.
class CQuorlexDoc : public QObject
{
    Q_OBJECT

public:
    explicit CQuorlexDoc(QObject *parent = nullptr);

    void SetView(CQuorlexView *view) { m_pView = view; }
    CQuorlexView *GetView() const { return m_pView; }

    // Empties the view; the document has no path afterwards.
    bool OnNewDocument();
    // Reads a file into the view; false (after a message) when it cannot be read.
    bool OnOpenDocument(const QString &path);
    // Writes the view's text; false (after a message) when the file could not
    // be written, in which case any earlier file of that name is unchanged.
    bool OnSaveDocument(const QString &path);
    // Saves under the path, asking for one when it is empty; with bReplace the
    // path becomes the document's after a successful save.
    bool DoSave(const QString &path, bool bReplace = true);
    // Never asks and never saves: the answer is always "go on".
    bool SaveModified() const { return true; }

    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString &path)
    {
        m_strPathName = path;
        m_format = TextFileFormat();
    }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }

    // The commands the framework gives every document.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();

    // Reads a regular file of this format, or a UTF-8 one as an opened file
    // is read; false when it cannot be read.
    static bool ReadTextFile(const QString &path, std::u16string &text);
    // Writes a file of this format (or of the one given) through a scratch
    // file that replaces the old one only once complete; false with the
    // reason when that failed.
    static bool WriteTextFile(const QString &path, std::u16string_view text, QString &error,
                              const TextFileFormat &format = TextFileFormat());

    // Files larger than this are not read: a text of that size is no notepad's.
    static constexpr qint64 kMaxFileBytes = qint64(256) * 1024 * 1024;

    // LastUsed.txt in the program folder.
    static QString LastUsedPath();
    // Moves LastUsed.txt aside as LastUsed-kept.txt (or -2, -3, ... when that
    // is taken); the name it got, or empty.
    static QString KeepLastUsedAside();
    // Notes LastUsed.txt as it stands now: as this program read or wrote it.
    void NoteLastUsedFile();
    // The start showed what LastUsed.txt holds.
    void NoteLastUsedTextShown() { m_bLastUsedShown = true; }
    // LastUsed.txt holds a text this run has neither shown nor written: the
    // start cleared the notepad or took the clipboard, and nothing opened it.
    bool HoldsUnshownLastUsedText() const;

private:
    // What tells one state of a file from another: device, inode, size and
    // the modification time to the nanosecond; all zero when it is not there.
    using FileStamp = std::array<long long, 5>;
    static FileStamp StampOf(const QString &path);
    static bool IsLastUsedFile(const QString &path);
    bool ChangedElsewhere(const QString &path, const std::u16string &text) const;

    static bool ReadFileBytes(const QString &path, QByteArray &bytes);
    // The document names no file afterwards and holds nothing unsaved.
    void ForgetFile();
    TextFileFormat FormatFor(const QString &path) const;
    QWidget *DialogParent() const;
    QString SuggestedSavePath() const;

    CQuorlexView *m_pView = nullptr;
    QString m_strPathName;
    // How the file at m_strPathName came in, and so how it is written.
    TextFileFormat m_format;
    bool m_bModified = false;
    // LastUsed.txt as this program last saw it. Another copy of the program,
    // or any other program, may write it meanwhile; a save must not silently
    // write over that text.
    FileStamp m_lastUsedStamp{};
    bool m_bLastUsedShown = false;
};
