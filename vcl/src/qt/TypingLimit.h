#pragma once
// MaxLength of an edit-like peer: it limits what the user types or pastes, never a text already there.
// (QLineEdit's own maxLength cuts the text it holds and every text set into it, so it stays unlimited.)

#include <functional>
#include <utility>

#include <QValidator>

class TTypingLimit : public QValidator {
public:
    // Limit: the control's MaxLength (0: none); Before: the text as it was before the user's edit.
    TTypingLimit(std::function<int()> Limit, std::function<QString()> Before, QObject* Owner)
        : QValidator(Owner), limit_(std::move(Limit)), before_(std::move(Before)) {}

    // An edit that grows the text past the limit keeps as much of the inserted text as fits; with no
    // room left it is refused.
    State validate(QString& Input, int& Pos) const override;

private:
    std::function<int()> limit_;
    std::function<QString()> before_;
};
