// The folder dialog as Qt's own (non-native) directory dialog, application-modal. It has a handle in
// the window table while it runs, so the caller's callback can select a folder and move it.
#include <QEvent>
#include <QFileDialog>

#include "Controls/Internal.h"
#include "Shell/NativeBrowseDialog.h"
#include "Windows/ForeignWindows.h"
#include "qt/Peer.h"
#include "qt/QtText.h"
#include "vcl/ShlObj.h"

namespace {

class TBrowseWindow : public QObject, public TForeignWindow {
public:
    TBrowseWindow(QFileDialog& Dialog, const TBrowseRequest& Request)
        : dialog_(Dialog), request_(Request), handle_(*this) {
        dialog_.installEventFilter(this);
    }

    LRESULT Message(UINT Msg, WPARAM WParam, LPARAM LParam) override {
        if (Msg == BFFM_SETSELECTIONA && WParam && LParam)
            dialog_.setDirectory(ToQString(AnsiString(reinterpret_cast<const char*>(LParam))));
        return 0;
    }
    TRect ScreenBounds() const override {
        const QRect frame = dialog_.frameGeometry();
        return Bounds(frame.x(), frame.y(), frame.width(), frame.height());
    }
    // Best effort: some window managers place top-level windows themselves.
    void MoveTo(int X, int Y) override { dialog_.move(X, Y); }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched == &dialog_ && Event->type() == QEvent::Show && !shown_) {
            shown_ = true;
            if (request_.Shown) RunFromQt(nullptr, [this] { request_.Shown(handle_.Handle()); });
        }
        return false;
    }

private:
    QFileDialog& dialog_;
    const TBrowseRequest& request_;
    TForeignWindowHandle handle_;
    bool shown_ = false;
};

}  // namespace

AnsiString ShowBrowseDialog(const TBrowseRequest& Request) {
    AppLoop::EnsureApplication();
    QFileDialog dialog(nullptr, ToQString(Request.Title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setWindowModality(Qt::ApplicationModal);
    TBrowseWindow window(dialog, Request);
    if (dialog.exec() != QDialog::Accepted) return "";
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? AnsiString() : FromQString(chosen.front());
}
