// The file-open dialog as Qt's own (non-native) file dialog; names cross as Windows-1252 <-> UTF-16 here.
#include <QFileDialog>
#include <QStringList>

#include "Controls/Internal.h"
#include "Dialogs/NativeOpenDialog.h"
#include "qt/QtText.h"

namespace {

// "Text files (*.txt *.log)" from "Text files" and "*.txt;*.log".
QString NameFilter(const TFileFilter& Filter) {
    QString masks = ToQString(Filter.Masks);
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    return ToQString(Filter.Name) + QStringLiteral(" (") + masks.simplified() + QLatin1Char(')');
}

}  // namespace

TOpenDialogAnswer ShowOpenDialog(const Testing::TRecordedOpenDialog& Request) {
    AppLoop::EnsureApplication();
    QFileDialog dialog(nullptr, ToQString(Request.Title.empty() ? AnsiString("Open") : Request.Title),
                       ToQString(Request.InitialDir));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const bool multi = Request.Options.Contains(ofAllowMultiSelect);
    const bool mustExist = Request.Options.Contains(ofFileMustExist);
    dialog.setFileMode(multi       ? QFileDialog::ExistingFiles
                       : mustExist ? QFileDialog::ExistingFile
                                   : QFileDialog::AnyFile);
    QStringList filters;
    for (const TFileFilter& filter : Request.Filters) filters << NameFilter(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (Request.FilterIndex >= 1 && Request.FilterIndex <= filters.size())
            dialog.selectNameFilter(filters[Request.FilterIndex - 1]);
    }
    if (!Request.FileName.empty()) dialog.selectFile(ToQString(Request.FileName));
    TOpenDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) return answer;
    for (const QString& name : dialog.selectedFiles()) answer.FileNames.push_back(FromQString(name));
    const auto chosenFilter = filters.indexOf(dialog.selectedNameFilter());
    if (chosenFilter >= 0) answer.FilterIndex = static_cast<Integer>(chosenFilter) + 1;
    return answer;
}
