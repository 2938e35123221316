#pragma once

#include "platform/PointFont.h"
#include "dialogs/HeaderDlg.h"
#include "platform/WindowMessage.h"

#include <QString>
#include <QStringList>

class QComboBox;

// The dialog in which the user picks face, size and style of the pad's font
// while a sample shows the result. The caller fills the face name, size and
// the four flags, runs it and on IDOK reads them back.
class CFontDlg : public CHeaderDlg
{
public:
    static constexpr int kSizeListId = 3013;
    static constexpr int kFontListId = 3011;
    static constexpr int kBoldId = 3014;
    static constexpr int kItalicId = 3015;
    static constexpr int kStrikeId = 3016;
    static constexpr int kUnderlineId = 3017;
    // Posted to itself when the face or size changes; the sample follows on arrival.
    static constexpr int kUpdateSampleMessage = WM_USER + 111;
    static constexpr int kMaxFamilies = 24;

    explicit CFontDlg(QWidget *parent = nullptr);

    QString m_strFaceName;
    int m_nSize = 9;
    int m_bBold = 0;
    int m_bItalic = 0;
    int m_bStrike = 0;
    int m_bUnderline = 0;
    QString m_strSizeText;
    // The families the system reports, in its order; empty asks the font database.
    QStringList m_reportedFamilies;

    // The families offered, as the system reported them, at most 24.
    const QStringList &Families() const { return m_families; }
    const PointFont &SampleFont() const { return m_fontSample; }
    const LogFont &SampleMetrics() const { return m_lfSample; }

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    void paintEvent(QPaintEvent *event) override;
    void customEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    void ConnectNotifications();
    void FillFamilies();
    void KeepCurrentFamily(const QStringList &reported);
    void FillSizes();
    void ReadSize();
    void UpdateSample();
    void PostUpdateSample();
    QComboBox *SizeList() const;
    QComboBox *FontList() const;

    QStringList m_families;
    PointFont m_fontSample;
    LogFont m_lfSample;
};
