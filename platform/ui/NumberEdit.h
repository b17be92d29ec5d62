#pragma once

#include "db/Decimal.h"
#include "platform/ui/DisplayFormat.h"

#include <QLineEdit>
#include <QVariant>

namespace ui {

// Number and currency editor. Without focus it shows the value through its display
// format ("#,##0.00;(#,##0.00)"); with focus it shows the plain number for editing.
// Values are exact (db::Decimal), rounded to the format's decimals. Empty means null
// unless "never empty" is set, in which case empty reads as 0.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);

    void setDisplayFormat(const QString& mask);
    void setDecimals(int decimals); // "#,##0.00"-style with that many decimals
    const DisplayFormat& displayFormat() const { return m_format; }
    void setNeverEmpty(bool on);
    bool neverEmpty() const { return m_neverEmpty; }

    db::Decimal value() const { return m_value.value_or(db::Decimal()); }
    double toDouble() const { return value().toDouble(); }
    bool isNull() const { return !m_value.has_value(); }
    // Null (or 0 when never empty) for a null variant; numbers, decimals and numeric text.
    void setValue(const QVariant& value);
    void setValue(const db::Decimal& value);
    void setValue(double value) { setValue(db::Decimal::fromDouble(value)); }
    void setValue(int value) { setValue(db::Decimal::fromInt(value)); }
    void clearValue();
    // QVariant holding db::Decimal, or null.
    QVariant variantValue() const;

    // Parses typed text in the format's locale ("1.234,5", "(12)", "-3"); nullopt when
    // it is not a number. Empty text is nullopt with ok = true.
    std::optional<db::Decimal> parse(const QString& text, bool* ok = nullptr) const;
    // Commits what is typed now (as on leaving the field).
    void commit();

signals:
    void valueChanged(const db::Decimal& value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void assign(std::optional<db::Decimal> value);
    void showValue();
    QString editText() const;
    int decimals() const;

    DisplayFormat m_format;
    std::optional<db::Decimal> m_value;
    bool m_neverEmpty = false;
    bool m_editing = false;
};

} // namespace ui
