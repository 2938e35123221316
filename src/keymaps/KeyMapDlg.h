#pragma once

#include "keyboard/KeyMap.h"
#include "dialogs/HeaderDlg.h"

#include <QPen>
#include <QRect>
#include <QString>

#include <string>

class QComboBox;
class QLineEdit;

// The key map editor: a small QWERTY grid of the 38 character keys that can
// be given new characters (space and tab cannot), a list of the five planes,
// and a letter field and a hexadecimal Unicode field for the selected key.
// Every change goes straight into the caller's key map; the dialog writes no
// file. In new mode the user also names the map, and OK makes sure a file of
// that name can be created in the folder.
class CKeyMapDlg : public CHeaderDlg
{
public:
    static constexpr int kKeyMapForId = 1002;
    static constexpr int kPlaneListId = 1011;
    static constexpr int kNameLabelId = 1012;
    static constexpr int kNameId = 1013;
    static constexpr int kLetterId = 1014;
    static constexpr int kLetterLabelId = 1015;
    static constexpr int kUnicodeId = 1016;
    static constexpr int kUnicodeLabelId = 1017;
    static constexpr int kApplyUnicodeId = 1019;

    static constexpr int kRows = 4;
    static constexpr int kColumns = 10;
    static constexpr int kPositions = kRows * kColumns;
    static constexpr int kKeySize = 20;
    static constexpr int kGridLeft = 20;
    static constexpr int kGridTop = 83;

    explicit CKeyMapDlg(QWidget *parent = nullptr);

    // Set by the caller before the run.
    bool m_bNewMode = false;
    std::u16string m_strFolder;
    KeyMap *m_pKeyMap = nullptr;
    // In edit mode the map's file name; after OK in new mode the name the
    // map is to be stored under, with its ".kmap".
    QString m_strName;

    int m_nPlane = 0;
    QString m_strLetter;
    QString m_strUnicode;
    // Grid position 10 row + column of the selected key.
    int m_nSelected = 0;

    // The key map cell a grid position edits, or -1 where the grid has no key.
    static int CellOfPosition(int position);
    // Where a position's key is drawn, in the dialog's client pixels.
    static QRect KeyRect(int position);
    // The position of the key under a tap, or -1 when the tap hits none. The
    // strip just left of and above the grid still counts as its first
    // column and row.
    static int HitTest(const QPoint &point);

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    void OnOK() override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void ConnectNotifications();
    void KeepFieldsOffTheGrid();
    void RefreshFields(int position);
    void StoreCharacter(char16_t ch);
    void OnPlaneChanged();
    void OnLetterChanged();
    void OnApplyUnicode();
    bool CompleteNewName();
    char16_t *SelectedCell() const;
    void PaintGrid(QPainter &painter) const;
    void PaintLabels(QPainter &painter) const;
    void PaintSelection(QPainter &painter) const;
    QComboBox *PlaneList() const;
    QLineEdit *Edit(int id) const;

    QPen m_penSelection;
    // Set while the refresh writes the fields, whose change notifications
    // are then its own doing.
    bool m_bRefreshing = false;
};
