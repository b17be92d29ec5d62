#include "ScreenDriver.h"

#include "platform/ui/DateEdit.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/LookupBox.h"
#include "platform/ui/RadioGroup.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace skmtest {

namespace {

QString plainCaption(QString text) {
    return text.remove(QLatin1Char('&')).trimmed();
}

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

ScreenDriver::ScreenDriver(QWidget* root) : m_root(root) {
    QTimer::singleShot(10, this, &ScreenDriver::poll);
}

ScreenDriver::~ScreenDriver() {
    for (const Pending& p : m_pending)
        ADD_FAILURE() << "scheduled modal dialog " << p.typeName.toStdString() << " never shown";
}

void ScreenDriver::fail(const std::string& message) const {
    ADD_FAILURE() << message;
    throw DriverError(message);
}

void ScreenDriver::show() {
    if (!m_root)
        fail("ScreenDriver has no root window to show");
    QWidget* window = m_root->window();
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    settle();
}

void ScreenDriver::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QList<QObject*> ScreenDriver::searchRoots() const {
    QList<QObject*> roots;
    if (m_root) {
        roots << m_root;
        return roots;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        roots << w;
    return roots;
}

QObject* ScreenDriver::findObjectOrNull(const QString& name,
                                        const std::function<bool(QObject*)>& isType) const {
    for (QObject* r : searchRoots()) {
        if (r->objectName() == name && isType(r))
            return r;
        for (QObject* c : r->findChildren<QObject*>(name))
            if (isType(c))
                return c;
    }
    return nullptr;
}

QObject* ScreenDriver::findObject(const QString& name, const std::function<bool(QObject*)>& isType,
                                  const char* typeName) const {
    if (QObject* o = findObjectOrNull(name, isType))
        return o;
    QStringList names;
    QString otherType;
    for (QObject* r : searchRoots())
        for (QObject* c : r->findChildren<QObject*>()) {
            if (c->objectName().isEmpty() || !c->isWidgetType())
                continue;
            if (c->objectName() == name)
                otherType = QString::fromLatin1(c->metaObject()->className());
            names << c->objectName();
        }
    names.removeDuplicates();
    names.sort();
    std::string message = "control '" + name.toStdString() + "' of type " + typeName;
    if (!otherType.isEmpty())
        message += " not found ('" + name.toStdString() + "' is a " + otherType.toStdString() + ")";
    else
        message += " not found; named widgets: " + names.join(QStringLiteral(", ")).toStdString();
    fail(message);
}

QWidget* ScreenDriver::typingTarget(QWidget* w) const {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
        qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w))
        return w;
    if (QWidget* proxy = w->focusProxy())
        return typingTarget(proxy);
    if (auto* edit = w->findChild<QLineEdit*>())
        return edit;
    return w;
}

void ScreenDriver::focus(const QString& name) {
    QWidget* w = typingTarget(widget(name));
    if (!w->isEnabled())
        fail("control '" + name.toStdString() + "' is disabled");
    if (QWidget* window = w->window(); QApplication::activeWindow() != window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }
    w->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
}

void ScreenDriver::leave(const QString& name) {
    QWidget* w = typingTarget(widget(name));
    if (w->hasFocus())
        w->clearFocus();
    // Focus-out alone does not finish a line edit's editing in every case.
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        emit edit->editingFinished();
    QCoreApplication::processEvents();
}

void ScreenDriver::type(const QString& name, const QString& text) {
    focus(name);
    QWidget* w = typingTarget(widget(name));
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->end(false);
    QTest::keyClicks(w, text);
}

void ScreenDriver::clear(const QString& name) {
    focus(name);
    QWidget* w = typingTarget(widget(name));
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
        QTest::keyClick(w, Qt::Key_Delete);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->selectAll();
        QTest::keyClick(w, Qt::Key_Delete);
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        rich->selectAll();
        QTest::keyClick(w, Qt::Key_Delete);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        spin->selectAll();
        QTest::keyClick(w, Qt::Key_Delete);
    }
}

void ScreenDriver::enter(const QString& name, const QString& text) {
    clear(name);
    type(name, text);
    leave(name);
}

void ScreenDriver::key(const QString& name, Qt::Key k, Qt::KeyboardModifiers mods) {
    focus(name);
    QTest::keyClick(typingTarget(widget(name)), k, mods);
}

QString ScreenDriver::text(const QString& name) const {
    QWidget* w = typingTarget(widget(name));
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(w))
        return rich->toPlainText();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
        return spin->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    return w->property("text").toString();
}

QAbstractButton* ScreenDriver::button(const QString& nameOrText) const {
    if (auto* b = tryFind<QAbstractButton>(nameOrText))
        return b;
    const QString wanted = plainCaption(nameOrText);
    for (QObject* r : searchRoots())
        for (QAbstractButton* b : r->findChildren<QAbstractButton*>())
            if (plainCaption(b->text()) == wanted)
                return b;
    return nullptr;
}

QAction* ScreenDriver::action(const QString& nameOrText) const {
    if (auto* a = tryFind<QAction>(nameOrText))
        return a;
    const QString wanted = plainCaption(nameOrText);
    for (QObject* r : searchRoots())
        for (QAction* a : r->findChildren<QAction*>())
            if (!a->isSeparator() && plainCaption(a->text()) == wanted)
                return a;
    return nullptr;
}

void ScreenDriver::click(const QString& nameOrText) {
    const std::string what = "'" + nameOrText.toStdString() + "'";
    if (QAbstractButton* b = button(nameOrText)) {
        if (!b->isEnabled())
            fail("button " + what + " is disabled");
        if (!b->isVisible())
            fail("button " + what + " is not visible (is the screen shown?)");
        // A real mouse click goes through the application's event handling.
        // Check boxes and radio buttons react only on their indicator and label.
        const bool indicator = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier,
                          indicator ? QPoint(6, b->height() / 2) : b->rect().center());
        return;
    }
    if (QAction* a = action(nameOrText)) {
        if (!a->isEnabled())
            fail("action " + what + " is disabled");
        ui::ErrorGuard::run([a] { a->trigger(); });
        return;
    }
    fail("no button or action " + what);
}

void ScreenDriver::setChecked(const QString& name, bool checked) {
    auto* b = find<QAbstractButton>(name);
    if (!b->isEnabled())
        fail("check box '" + name.toStdString() + "' is disabled");
    if (b->isChecked() != checked)
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(6, b->height() / 2));
    if (b->isChecked() != checked)
        ui::ErrorGuard::run([b] { b->click(); });
}

void ScreenDriver::pickKey(const QString& name, const QVariant& key) {
    auto* box = find<ui::LookupBox>(name);
    if (!box->isEnabled() || box->isReadOnly())
        fail("lookup box '" + name.toStdString() + "' is read-only");
    if (box->model()->rowOfKey(key) < 0)
        fail("lookup box '" + name.toStdString() + "' has no row with key " +
             key.toString().toStdString());
    ui::ErrorGuard::run([&] { box->setValue(key); });
}

void ScreenDriver::pickText(const QString& name, const QString& text) {
    auto* box = find<ui::LookupBox>(name);
    if (!box->isEnabled() || box->isReadOnly())
        fail("lookup box '" + name.toStdString() + "' is read-only");
    if (box->model()->rowOfText(text) < 0)
        fail("lookup box '" + name.toStdString() + "' shows no entry '" + text.toStdString() + "'");
    ui::ErrorGuard::run([&] { box->selectText(text); });
}

void ScreenDriver::setDate(const QString& name, const QDate& date) {
    if (auto* edit = tryFind<ui::DateEdit>(name)) {
        if (!edit->isEnabled())
            fail("date editor '" + name.toStdString() + "' is disabled");
        ui::ErrorGuard::run([&] { edit->setDate(date); });
        return;
    }
    auto* edit = find<QDateEdit>(name);
    ui::ErrorGuard::run([&] { edit->setDate(date); });
}

void ScreenDriver::setItemIndex(const QString& name, int index) {
    auto* group = find<ui::RadioGroup>(name);
    if (index < 0 || index >= group->items().size())
        fail("radio group '" + name.toStdString() + "' has no item " + std::to_string(index));
    ui::ErrorGuard::run([&] { group->setItemIndex(index); });
}

void ScreenDriver::scheduleModal(const QString& typeName, std::function<bool(QWidget*)> matches,
                                 std::function<void(QWidget*)> run) {
    m_pending.append(Pending{typeName, std::move(matches), std::move(run)});
}

bool ScreenDriver::waitModals(int timeoutMs) {
    const qint64 end = nowMs() + timeoutMs;
    while (!m_pending.isEmpty() && nowMs() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool allRan = m_pending.isEmpty();
    for (const Pending& p : m_pending)
        ADD_FAILURE() << "scheduled modal dialog " << p.typeName.toStdString() << " never shown";
    m_pending.clear();
    return allRan;
}

void ScreenDriver::poll() {
    // The next poll is scheduled first: a callback may open a nested modal loop in
    // which the next dialog has to be handled.
    QTimer::singleShot(15, this, &ScreenDriver::poll);
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
        m_unclaimed = nullptr;
        return;
    }
    const bool taken = std::any_of(m_taken.begin(), m_taken.end(),
                                   [modal](const QPointer<QWidget>& w) { return w == modal; });
    if (!taken) {
        for (int i = 0; i < m_pending.size(); ++i) {
            if (!m_pending[i].matches(modal))
                continue;
            const Pending p = m_pending.takeAt(i);
            m_taken.append(modal);
            m_unclaimed = nullptr;
            try {
                p.run(modal);
            } catch (const DriverError&) {
                // Already reported; close the dialog below if it is still open.
            } catch (...) {
                ui::ErrorGuard::reportCurrentException();
                ADD_FAILURE() << "exception in the callback for " << p.typeName.toStdString();
            }
            return;
        }
    }
    // Nobody takes this dialog (or its callback left it open): fail and close it.
    if (m_unclaimed != modal) {
        m_unclaimed = modal;
        m_unclaimedSince = nowMs();
        return;
    }
    if (nowMs() - m_unclaimedSince < m_modalTimeoutMs)
        return;
    ADD_FAILURE() << (taken ? "modal dialog left open by its callback: "
                            : "modal dialog shown without a scheduled callback: ")
                  << modal->metaObject()->className() << " '" << modal->objectName().toStdString()
                  << "' \"" << modal->windowTitle().toStdString() << "\"";
    m_unclaimed = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace skmtest
