#pragma once

#include "platform/ui/DisplayFormat.h"

#include <QDate>
#include <QWidget>

class QLineEdit;
class QToolButton;
class QCalendarWidget;

namespace ui {

// A date-only editor that may be empty. Shows the locale's short date with a
// four-digit year; a button opens a calendar.
class DateEdit : public QWidget {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);

    QDate date() const { return m_date; } // invalid when empty
    bool isNull() const { return !m_date.isValid(); }
    void setDate(const QDate& date); // invalid date = empty
    void clear() { setDate(QDate()); }
    QString text() const;
    void setReadOnly(bool readOnly);
    // Parses what a user may type: the shown pattern, day/month with one digit, two-digit years.
    QDate parse(const QString& text) const;

    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* calendarButton() const { return m_button; }
    // Opens the calendar; returns it (tests pick a day on it).
    QCalendarWidget* showCalendar();

signals:
    void dateChanged(const QDate& date);

private:
    void commitText();
    void showDate();

    DisplayFormat m_format;
    QLineEdit* m_edit;
    QToolButton* m_button;
    QDate m_date;
};

} // namespace ui
