#include "KeyMapCheck.h"

#include "keymaps/KeyMapText.h"

#include <QChar>

namespace {
QString PlaneName(int plane)
{
    return QString::fromLatin1(KeyMapPlaneName(plane));
}

QString CharText(char16_t code)
{
    const QString number = QStringLiteral("U+%1").arg(unsigned(code), 4, 16, QLatin1Char('0')).toUpper();
    const QChar ch(code);
    if (ch.isPrint() && !ch.isSpace())
        return QStringLiteral("'%1' (%2)").arg(ch).arg(number);
    return number;
}

void CheckControls(const KeyMap &map, int plane, QStringList &warnings)
{
    for (int cell = 0; cell < kKeyMapCells; ++cell) {
        const char16_t code = map.m_chCells[plane][cell];
        if (code != u'\t' && QChar(code).category() == QChar::Other_Control)
            warnings << QStringLiteral("%1 cell %2: control character %3").arg(PlaneName(plane)).arg(cell).arg(CharText(code));
    }
}

void CheckDuplicates(const KeyMap &map, int plane, QStringList &warnings)
{
    const char16_t *cells = map.m_chCells[plane];
    for (int cell = 0; cell < kKeyMapCells; ++cell)
        for (int earlier = 0; earlier < cell; ++earlier)
            if (cells[earlier] == cells[cell]) {
                warnings << QStringLiteral("%1: %2 is on cells %3 and %4")
                                .arg(PlaneName(plane), CharText(cells[cell]))
                                .arg(earlier)
                                .arg(cell);
                break;
            }
}

void CheckCapitals(const KeyMap &map, int lower, int upper, QStringList &warnings)
{
    const char16_t *upperCells = map.m_chCells[upper];
    for (int cell = 0; cell < kKeyMapCells; ++cell) {
        const QChar letter(map.m_chCells[lower][cell]);
        const char16_t capital = letter.toUpper().unicode();
        if (!letter.isLower() || capital == letter.unicode() || upperCells[cell] == capital)
            continue;
        const QString what = QStringLiteral("%1, the upper case of %2 (%3 cell %4)")
                                 .arg(CharText(capital), CharText(letter.unicode()), PlaneName(lower))
                                 .arg(cell);
        const char16_t *found = std::find(upperCells, upperCells + kKeyMapCells, capital);
        if (found == upperCells + kKeyMapCells)
            warnings << QStringLiteral("%1 lacks %2").arg(PlaneName(upper), what);
        else
            warnings << QStringLiteral("%1 has %2, on cell %3 instead")
                            .arg(PlaneName(upper), what)
                            .arg(found - upperCells);
    }
}
}

QStringList CheckKeyMap(const KeyMap &map)
{
    QStringList warnings;
    for (int plane = 0; plane < kKeyMapPlanes; ++plane) {
        CheckControls(map, plane, warnings);
        CheckDuplicates(map, plane, warnings);
    }
    CheckCapitals(map, kPlaneNormal, kPlaneShift, warnings);
    CheckCapitals(map, kPlaneUmlaut, kPlaneUmlautShift, warnings);
    return warnings;
}
