#include "QtEditPeers.h"

#include <vector>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

namespace qtpeer {

struct ShownLineEdits::Impl {
    QWidget window;
    std::vector<QLineEdit*> edits;
};

ShownLineEdits::ShownLineEdits(int Count, bool Framed, int Width, int Height) : impl_(std::make_unique<Impl>()) {
    const int columns = 5;
    impl_->window.resize(columns * (Width + 4), (Count / columns + 1) * (Height + 4));
    for (int i = 0; i < Count; ++i) {
        auto* edit = new QLineEdit(QStringLiteral("Edit text"), &impl_->window);
        edit->setFrame(Framed);
        edit->setGeometry((i % columns) * (Width + 4), (i / columns) * (Height + 4), Width, Height);
        impl_->edits.push_back(edit);
    }
    impl_->window.show();
    QApplication::processEvents();
}

ShownLineEdits::~ShownLineEdits() = default;

void ShownLineEdits::RepaintAll() {
    for (QLineEdit* edit : impl_->edits) edit->update();
    QApplication::processEvents();
}

bool ShownLineEdits::ShowsText() {
    QLineEdit* first = impl_->edits.front();
    const QImage shown = impl_->window.grab(first->geometry()).toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (qGray(shown.pixel(x, y)) < 100) return true;
    return false;
}

}  // namespace qtpeer
