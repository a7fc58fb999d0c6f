// Message dialogs whose buttons no standard message box has.
#include <QMessageBox>
#include <QPushButton>

#include "Controls/Internal.h"
#include "Dialogs/ButtonsDialog.h"
#include "qt/QtText.h"

TModalResult ShowButtonDialog(const AnsiString& Msg, const AnsiString& Caption, TMsgDlgType DlgType,
                              TMsgDlgButtons Buttons) {
    AppLoop::EnsureApplication();
    static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Critical, QMessageBox::Information,
                                              QMessageBox::Question, QMessageBox::NoIcon};
    QMessageBox box(icons[DlgType], ToQString(Caption), ToQString(Msg));
    struct TButton {
        TMsgDlgBtn Btn;
        const char* Text;
        QMessageBox::ButtonRole Role;
        TModalResult Result;
    };
    static const TButton buttons[] = {
        {mbYes, "&Yes", QMessageBox::YesRole, mrYes},
        {mbNo, "&No", QMessageBox::NoRole, mrNo},
        {mbOK, "OK", QMessageBox::AcceptRole, mrOk},
        {mbCancel, "Cancel", QMessageBox::RejectRole, mrCancel},
        {mbAbort, "&Abort", QMessageBox::RejectRole, mrAbort},
        {mbRetry, "&Retry", QMessageBox::AcceptRole, mrRetry},
        {mbIgnore, "&Ignore", QMessageBox::AcceptRole, mrIgnore},
        {mbAll, "&All", QMessageBox::AcceptRole, mrAll},
        {mbNoToAll, "N&o to All", QMessageBox::NoRole, mrNoToAll},
        {mbYesToAll, "Yes to &All", QMessageBox::YesRole, mrYesToAll},
        {mbHelp, "&Help", QMessageBox::HelpRole, mrNone},
    };
    std::vector<std::pair<QAbstractButton*, TModalResult>> shown;
    for (const TButton& b : buttons)
        if (Buttons.Contains(b.Btn)) shown.emplace_back(box.addButton(QString::fromLatin1(b.Text), b.Role), b.Result);
    box.exec();
    for (const auto& [button, result] : shown)
        if (box.clickedButton() == button) return result;
    return mrCancel;
}
