#include "platform/ui/NumberEdit.h"

#include "db/Dataset.h"

#include <QRegularExpressionValidator>

namespace ui {

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setDecimals(0);
    connect(this, &QLineEdit::editingFinished, this, &NumberEdit::commit);
}

void NumberEdit::setDisplayFormat(const QString& mask) {
    m_format = DisplayFormat(mask);
    if (!m_format.isNumber())
        m_format = DisplayFormat::number(0);
    const QLocale& l = m_format.locale();
    // Digits, separators, sign and parentheses; the parser decides the rest.
    const QString chars = QRegularExpression::escape(l.decimalPoint() + l.groupSeparator() +
                                                     l.negativeSign() + QStringLiteral(".,-()"));
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\s0-9%1]*").arg(chars)), this));
    assign(m_value);
}

void NumberEdit::setDecimals(int decimals) {
    decimals = qBound(0, decimals, db::Decimal::Scale);
    QString mask = QStringLiteral("#,##0");
    if (decimals > 0)
        mask += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    setDisplayFormat(mask);
}

void NumberEdit::setNeverEmpty(bool on) {
    m_neverEmpty = on;
    assign(m_value);
}

int NumberEdit::decimals() const {
    return m_format.maxDecimals();
}

void NumberEdit::setValue(const db::Decimal& value) {
    assign(value);
}

void NumberEdit::setValue(const QVariant& value) {
    if (value.isNull() || !value.isValid()) {
        assign(std::nullopt);
        return;
    }
    if (value.metaType().id() == QMetaType::QString) {
        bool ok = false;
        const db::Decimal d = db::Decimal::fromString(value.toString().trimmed(), &ok);
        assign(ok ? std::optional(d) : std::nullopt);
        return;
    }
    assign(db::Dataset::toDecimal(value));
}

void NumberEdit::clearValue() {
    assign(std::nullopt);
}

QVariant NumberEdit::variantValue() const {
    return m_value ? QVariant::fromValue(*m_value) : QVariant();
}

std::optional<db::Decimal> NumberEdit::parse(const QString& text, bool* ok) const {
    if (ok)
        *ok = true;
    QString t = text.simplified().remove(QLatin1Char(' '));
    if (t.isEmpty())
        return std::nullopt;
    const QLocale& l = m_format.locale();
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2);
    }
    if (t.startsWith(l.negativeSign()) || t.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        t = t.mid(1);
    }
    const QString group = l.groupSeparator();
    const QString point = l.decimalPoint();
    if (!group.isEmpty() && group != point)
        t.remove(group);
    if (point != QLatin1String("."))
        t.replace(point, QLatin1String("."));
    bool parsed = false;
    db::Decimal d = db::Decimal::fromString(t, &parsed);
    if (!parsed || t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) {
        if (ok)
            *ok = false;
        return std::nullopt;
    }
    if (negative)
        d = -d;
    return d;
}

void NumberEdit::commit() {
    if (isReadOnly())
        return;
    bool ok = false;
    const auto parsed = parse(text(), &ok);
    if (!ok) {
        showValue(); // not a number: the previous value stays
        return;
    }
    assign(parsed);
}

void NumberEdit::assign(std::optional<db::Decimal> value) {
    if (!value && m_neverEmpty)
        value = db::Decimal();
    if (value)
        value = value->rounded(decimals());
    const bool changed = value != m_value;
    m_value = value;
    showValue();
    if (changed)
        emit valueChanged(this->value());
}

QString NumberEdit::editText() const {
    if (!m_value)
        return {};
    QString t = m_value->toString(decimals());
    const QString point = m_format.locale().decimalPoint();
    if (point != QLatin1String("."))
        t.replace(QLatin1Char('.'), point);
    return t;
}

void NumberEdit::showValue() {
    const QString shown = m_editing && !isReadOnly()
                              ? editText()
                              : (m_value ? m_format.formatNumber(*m_value) : QString());
    if (text() != shown)
        setText(shown);
}

void NumberEdit::focusInEvent(QFocusEvent* event) {
    m_editing = !isReadOnly();
    showValue();
    QLineEdit::focusInEvent(event);
    if (m_editing)
        selectAll();
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    if (m_editing)
        commit();
    m_editing = false;
    showValue();
    QLineEdit::focusOutEvent(event);
}

} // namespace ui
