#pragma once

#include "dialogs/HeaderFrame.h"
#include "dialogs/PropertyPage.h"

#include <initializer_list>

// A page of the preference sheet in the program's header look. Cancel in its
// header closes the whole sheet without reading any page back. Derived pages
// add their controls after this one's Cancel, do their own initialisation
// after this one's, and paint beyond the rule in PaintPage.
class CPrefsPage : public CPropertyPage
{
public:
    CPrefsPage(const QString &caption, const QString &headerTitle, const QSize &templateUnits);

    QString HeaderTitle() const { return m_header.Title(); }

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;
    void paintEvent(QPaintEvent *event) override;
    virtual void PaintPage(QPainter &painter);
    // Labels, group boxes and buttons of the page that draw in blue.
    void ColourBlue(std::initializer_list<int> ids);

private:
    void OnCancelButton();

    HeaderFrame m_header;
};
