#pragma once

#include "dialogs/DialogUnits.h"

#include <QSize>
#include <QString>
#include <QWidget>

class CPropertySheet;
class ControlBuilder;

// One page of a property sheet, made from a template. Its controls are built
// when the sheet first shows it; a page never shown has no controls and its
// fields keep what its caller gave it.
class CPropertyPage : public QWidget
{
public:
    // The tab caption and the template's size in dialog units of Tahoma at the
    // given points.
    CPropertyPage(const QString &caption, const QSize &templateUnits, double fontPoints = 9);

    QString Caption() const { return m_strCaption; }
    // The template's size in pixels; the sheet may give the page more room.
    QSize TemplateSize() const { return m_units.Size(m_templateUnits); }
    bool IsCreated() const { return m_bCreated; }
    // Builds the controls and runs OnInitDialog, once.
    void Create();
    bool UpdateData(bool save);
    // The sheet's OK, after the fields have been read back.
    virtual void OnOK();
    // The sheet's Cancel.
    virtual void OnCancel();
    CPropertySheet *Sheet() const;
    const DialogUnits &Units() const { return m_units; }

protected:
    virtual void CreateControls(ControlBuilder &builder);
    virtual bool OnInitDialog();
    virtual void DoDataExchange(bool save);

private:
    QString m_strCaption;
    DialogUnits m_units;
    QSize m_templateUnits;
    bool m_bCreated = false;
};
