#pragma once

#include "keyboard/SkinFile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// A skin file taken apart: its seven colours and the bytes of its six image
// files, in file order. The image bytes are kept as they are, so taking a
// skin apart and putting it together again gives the same file.
struct SkinArchive {
    SkinColors m_colors;
    std::array<QByteArray, kSkinImageCount> m_images;
};

// The image's file name in an unpacked skin, without extension ("key-up"),
// and what it is ("key face, released").
QString SkinImageFileName(int image);
QString SkinImageRole(int image);

// Splits a skin file into its pieces; false with the reason when the colours
// or an image's length or bytes are cut short.
bool ReadSkinArchive(const QByteArray &file, SkinArchive &archive, QString &error);
QByteArray SkinArchiveBytes(const SkinArchive &archive);

// One reason why the program would not load a skin; m_nImage is the image
// to blame (0..5), or -1 for the file as a whole.
struct SkinProblem {
    int m_nImage = -1;
    QString m_strText;
};

// Every reason why the keyboard window would refuse the skin and draw its
// default skin instead, found the way the window loads skins: the same
// reading of colours and images, the same decoder, the same size rule for the
// backgrounds. Empty for a skin the program loads.
std::vector<SkinProblem> CheckSkin(const QByteArray &file);
