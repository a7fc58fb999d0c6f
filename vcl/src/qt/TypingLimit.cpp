#include "qt/TypingLimit.h"

#include <algorithm>

QValidator::State TTypingLimit::validate(QString& Input, int& Pos) const {
    const qsizetype limit = limit_();
    if (limit <= 0 || Input.size() <= limit) return Acceptable;
    const QString before = before_();
    if (Input.size() <= before.size()) return Acceptable;  // nothing added: a text over the limit may shrink

    // The inserted text ends at the caret; what follows it is the old text's tail.
    qsizetype tail = Input.size() - Pos;
    if (tail < 0 || tail > before.size() || !Input.endsWith(QStringView(before).right(tail))) {
        tail = 0;
        while (tail < before.size() && Input[Input.size() - 1 - tail] == before[before.size() - 1 - tail]) ++tail;
    }
    qsizetype start = 0;
    while (start < before.size() - tail && Input[start] == before[start]) ++start;

    const qsizetype room = limit - (start + tail);
    if (room <= 0) return Invalid;
    Input = Input.left(start) + Input.mid(start, room) + Input.right(tail);
    Pos = static_cast<int>(start + room);
    return Acceptable;
}
