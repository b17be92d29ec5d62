#pragma once

#include "QtPrinters.h"

#include <QApplication>
#include <QDate>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>

class QAbstractButton;
class QAction;

namespace skmtest {

// Raised after a driver step has already failed the test, to stop the test body.
class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Drives screens the way a user does, offscreen: controls are found by their
// component name (objectName), text is typed with key events, buttons are clicked
// with the mouse, and modal dialogs opened by an action are handled by callbacks
// scheduled beforehand:
//
//   ScreenDriver drv(screen);
//   drv.onNextModal<TFmLineEntry>([](TFmLineEntry* dlg) {
//       ScreenDriver d(dlg);
//       d.type("txtVolume", "12,5");
//       d.click("btnOK");
//   });
//   drv.click("btnAdd");            // exec() returns once the callback closed it
//   drv.verifyModals();
//
// A modal dialog that no callback takes (or that a callback left open) fails the
// test and is closed after modalTimeoutMs, so a test never hangs. Message boxes are
// answered by a MessageScript, not here.
class ScreenDriver : public QObject {
    Q_OBJECT
public:
    // root: the screen searched for controls; nullptr searches every top-level window.
    explicit ScreenDriver(QWidget* root = nullptr);
    ~ScreenDriver() override;

    QWidget* root() const { return m_root; }
    // Shows the root and makes it the active window (focus works only there).
    void show();

    // The named control of type T under root; fails the test and throws DriverError if
    // missing (listing the names that exist).
    template <class T> T* find(const QString& name) const {
        QObject* o = findObject(
            name, [](QObject* c) { return qobject_cast<T*>(c) != nullptr; },
            T::staticMetaObject.className());
        return static_cast<T*>(o);
    }
    template <class T> T* tryFind(const QString& name) const {
        return qobject_cast<T*>(
            findObjectOrNull(name, [](QObject* c) { return qobject_cast<T*>(c) != nullptr; }));
    }
    QWidget* widget(const QString& name) const { return find<QWidget>(name); }

    // Focus, then type with key events (appends to the text already there).
    void type(const QString& name, const QString& text);
    // Clears the field, types text and leaves the field (Tab-like focus change).
    void enter(const QString& name, const QString& text);
    void clear(const QString& name);
    void key(const QString& name, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void pressEnter(const QString& name) { key(name, Qt::Key_Return); }
    void focus(const QString& name);
    // Moves the focus away from the named control, so it commits what was typed.
    void leave(const QString& name);
    QString text(const QString& name) const;

    // Clicks a button or triggers an action, found by objectName or else by its text
    // ('&' ignored, spaces trimmed). A disabled or hidden target fails the test.
    void click(const QString& nameOrText);
    QAbstractButton* button(const QString& nameOrText) const;
    QAction* action(const QString& nameOrText) const;
    void setChecked(const QString& name, bool checked);

    // Lookup boxes: pick by key or by the shown text; fails when absent.
    void pickKey(const QString& name, const QVariant& key);
    void pickText(const QString& name, const QString& text);
    // Date editors (ui::DateEdit or QDateEdit); an invalid date empties a ui::DateEdit.
    void setDate(const QString& name, const QDate& date);
    // Number editors: types the value as a user would, in the editor's locale.
    void setNumber(const QString& name, const QString& typed) { enter(name, typed); }
    void setItemIndex(const QString& name, int index);

    // Modal dialogs. The callback runs when the next modal dialog of type T shows.
    template <class T> void onNextModal(std::function<void(T*)> callback) {
        scheduleModal(
            T::staticMetaObject.className(),
            [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
            [callback](QWidget* w) { callback(qobject_cast<T*>(w)); });
    }
    // Processes events until every scheduled callback ran (or timeoutMs passed);
    // fails the test for each that never ran and forgets it. True when all ran.
    bool waitModals(int timeoutMs = 5000);
    // Like waitModals(0): the callbacks should have run by now.
    bool verifyModals() { return waitModals(0); }
    int pendingModals() const { return int(m_pending.size()); }
    void setModalTimeout(int ms) { m_modalTimeoutMs = ms; }

    // Processes pending events (deferred deletes included).
    static void settle();

private:
    struct Pending {
        QString typeName;
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> run;
    };

    QObject* findObject(const QString& name, const std::function<bool(QObject*)>& isType,
                        const char* typeName) const;
    QObject* findObjectOrNull(const QString& name,
                              const std::function<bool(QObject*)>& isType) const;
    QList<QObject*> searchRoots() const;
    QWidget* typingTarget(QWidget* w) const;
    [[noreturn]] void fail(const std::string& message) const;
    void scheduleModal(const QString& typeName, std::function<bool(QWidget*)> matches,
                       std::function<void(QWidget*)> run);
    void poll();

    QPointer<QWidget> m_root;
    QList<Pending> m_pending;
    QList<QPointer<QWidget>> m_taken;
    QPointer<QWidget> m_unclaimed;
    qint64 m_unclaimedSince = 0;
    int m_modalTimeoutMs = 3000;
};

} // namespace skmtest
