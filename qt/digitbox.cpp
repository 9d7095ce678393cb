#include "digitbox.h"

#include <QValidator>

#include <algorithm>

namespace tallino {

namespace {

// An edit that makes the text longer than the box allows is undone by the line edit itself,
// before any signal. A longer text the program wrote may stay, but the user cannot lengthen it.
// A one-line box takes a pasted text up to its first line end.
class LengthLimit : public QValidator {
public:
    LengthLimit(const int &limit, QObject *parent) : QValidator(parent), limit_(limit) { }

    State validate(QString &input, int &caret) const override
    {
        const auto isLineEnd = [](QChar c) {
            return c == u'\r' || c == u'\n';
        };
        const auto lineEnd = std::find_if(input.cbegin(), input.cbegin() + caret, isLineEnd);
        if (lineEnd != input.cbegin() + caret) {
            const auto at = static_cast<int>(lineEnd - input.cbegin());
            input.remove(at, caret - at);
            caret = at;
        }
        return input.size() > limit_ ? Invalid : Acceptable;
    }

private:
    const int &limit_;
};

} // namespace

DigitBox::DigitBox(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new LengthLimit(lengthLimit_, this));
    connect(this, &QLineEdit::textEdited, this, &DigitBox::takeText);
}

void DigitBox::showText(const QString &text)
{
    takeText(text);
    setText(text);
}

QVariant DigitBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return query == Qt::ImEnabled ? QVariant(false) : QLineEdit::inputMethodQuery(query);
}

void DigitBox::takeText(const QString &text)
{
    lengthLimit_ = static_cast<int>(typedLengthLimit(static_cast<std::size_t>(text.size())));
}

} // namespace tallino
