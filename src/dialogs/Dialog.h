#pragma once

#include "dialogs/DialogUnits.h"

#include <QDialog>
#include <QSize>

class ControlBuilder;

// A dialog made from a template, run modally or (by tests and by callers that
// keep it open) without a modal loop. Creating it builds the controls, then
// runs OnInitDialog; OK (id 1) runs OnOK, Cancel (id 2), Escape and the
// window's close run OnCancel. The result is IDOK or IDCANCEL.
class CDialog : public QDialog
{
public:
    // The template's size in dialog units of Tahoma at the given points.
    CDialog(const QSize &templateUnits, double fontPoints, QWidget *parent = nullptr);

    int DoModal();
    // Creates the dialog and shows it without a modal loop.
    void Create();
    bool IsCreated() const { return m_bCreated; }
    void EndDialog(int result);
    bool UpdateData(bool save);
    const DialogUnits &Units() const { return m_units; }

protected:
    virtual void CreateControls(ControlBuilder &builder);
    // Moves the fields into the controls; derived dialogs do their own
    // steps after calling this.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(bool save);
    virtual void OnOK();
    virtual void OnCancel();

    void accept() override;
    void reject() override;

private:
    void Build();
    void ConnectEndButtons();

    DialogUnits m_units;
    QSize m_templateUnits;
    bool m_bCreated = false;
};
