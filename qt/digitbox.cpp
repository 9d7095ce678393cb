#include "digitbox.h"

#include <QValidator>

namespace tallino {

namespace {

// An edit that makes the text longer than the box allows is undone by the line edit itself,
// before any signal. A longer text the program wrote may stay, but the user cannot lengthen it.
class LengthLimit : public QValidator {
public:
    LengthLimit(const int &limit, QObject *parent) : QValidator(parent), limit_(limit) { }

    State validate(QString &input, int &) const override
    {
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
