#include "platform/ui/DateEdit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace ui {

DateEdit::DateEdit(QWidget* parent)
    : QWidget(parent), m_format(DisplayFormat::dateOnly()), m_edit(new QLineEdit(this)),
      m_button(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->setPlaceholderText(m_format.datePattern());
    m_button->setObjectName(QStringLiteral("btnCalendar"));
    m_button->setText(QStringLiteral("\u25BE"));
    m_button->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_edit, &QLineEdit::editingFinished, this, &DateEdit::commitText);
    connect(m_button, &QToolButton::clicked, this, [this] { showCalendar(); });
}

QString DateEdit::text() const {
    return m_edit->text();
}

void DateEdit::setReadOnly(bool readOnly) {
    m_edit->setReadOnly(readOnly);
    m_button->setEnabled(!readOnly);
}

void DateEdit::setDate(const QDate& date) {
    const QDate d = date.isValid() ? date : QDate();
    const bool changed = d != m_date;
    m_date = d;
    showDate();
    if (changed)
        emit dateChanged(m_date);
}

QDate DateEdit::parse(const QString& text) const {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    const QLocale& locale = m_format.locale();
    QDate d = locale.toDate(t, m_format.datePattern());
    if (d.isValid())
        return d;
    // Shorter forms of the same order: single-digit day/month, two-digit year.
    QString shortPattern = m_format.datePattern();
    shortPattern.replace(QLatin1String("dd"), QLatin1String("d"))
        .replace(QLatin1String("MM"), QLatin1String("M"));
    d = locale.toDate(t, shortPattern);
    if (d.isValid())
        return d;
    QString twoDigitYear = shortPattern;
    twoDigitYear.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    d = locale.toDate(t, twoDigitYear);
    if (d.isValid() && d.year() < 1950)
        d = d.addYears(100);
    return d;
}

void DateEdit::commitText() {
    if (m_edit->isReadOnly())
        return;
    const QString t = m_edit->text();
    if (t.trimmed().isEmpty()) {
        setDate(QDate());
        return;
    }
    const QDate d = parse(t);
    if (d.isValid())
        setDate(d);
    else
        showDate(); // not a date: the previous value stays
}

void DateEdit::showDate() {
    const QString shown = m_date.isValid() ? m_format.formatDate(m_date) : QString();
    if (m_edit->text() != shown)
        m_edit->setText(shown);
}

QCalendarWidget* DateEdit::showCalendar() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto* calendar = new QCalendarWidget(menu);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setSelectedDate(m_date.isValid() ? m_date : QDate::currentDate());
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar);
    menu->addAction(action);
    connect(calendar, &QCalendarWidget::clicked, this, [this, menu](const QDate& d) {
        setDate(d);
        menu->close();
    });
    connect(calendar, &QCalendarWidget::activated, this, [this, menu](const QDate& d) {
        setDate(d);
        menu->close();
    });
    menu->popup(mapToGlobal(QPoint(0, height())));
    return calendar;
}

} // namespace ui
