#pragma once

#include <QString>
#include <functional>

namespace ui {

enum class MsgKind { Warning, Information, Confirmation, Error };
enum class MsgButtons { Ok, YesNo, YesCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// The one way the program shows message boxes. Texts are shown exactly as given;
// the title is the application's name. Tests replace the boxes with a handler.
class MessageService {
public:
    static void warning(const QString& text);          // OK
    static void information(const QString& text);      // OK
    static bool confirmYesNo(const QString& text);     // true = Yes
    static bool confirmYesCancel(const QString& text); // true = Yes
    static void error(const QString& text);            // the standard error box
    static MsgAnswer ask(MsgKind kind, const QString& text, MsgButtons buttons);

    using Handler = std::function<MsgAnswer(MsgKind, const QString&, MsgButtons)>;
    // Replaces the real boxes (tests); nullptr restores them. Returns the previous handler.
    static Handler setHandler(Handler handler);
    static bool hasHandler();

    // The answer given when a box cannot be answered positively (closed, unexpected).
    static MsgAnswer negativeAnswer(MsgButtons buttons);

private:
    static MsgAnswer showBox(MsgKind kind, const QString& text, MsgButtons buttons);
};

QString toString(MsgKind kind);
QString toString(MsgButtons buttons);
QString toString(MsgAnswer answer);

} // namespace ui
