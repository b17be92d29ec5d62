#pragma once

#include "QtPrinters.h"
#include "platform/ui/MessageService.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <optional>

namespace skmtest {

using ui::MsgAnswer;
using ui::MsgButtons;
using ui::MsgKind;

// Answers the program's message boxes during a test, in a scripted order:
//
//   MessageScript ms;
//   ms.expect(MsgKind::Warning, "No. SPK belum diisi.")
//     .expect(MsgKind::Confirmation, "Apakah data akan disimpan ?", MsgAnswer::Yes);
//
// Each box must match the next expectation (kind and exact text); anything else
// fails the running test and is answered negatively (No / Cancel / Ok). When the
// script is destroyed, expectations not yet met fail the test. Scripts nest: the
// previous handler comes back on destruction.
class MessageScript {
public:
    struct Box {
        MsgKind kind;
        QString text;
        MsgButtons buttons;
        MsgAnswer answer;
    };

    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    // The answer may be left out for OK boxes; a confirmation needs Yes, No or Cancel.
    MessageScript& expect(MsgKind kind, const QString& text,
                          std::optional<MsgAnswer> answer = std::nullopt);
    // A box of this kind whose text matches the pattern (e.g. a server's error text).
    MessageScript& expectMatching(MsgKind kind, const QRegularExpression& pattern,
                                  std::optional<MsgAnswer> answer = std::nullopt);
    // A box of this kind with any text.
    MessageScript& expectAny(MsgKind kind, std::optional<MsgAnswer> answer = std::nullopt);

    // Lenient mode: boxes that do not match the next expectation are recorded and
    // answered negatively instead of failing the test.
    MessageScript& allowUnexpected(bool allow = true);

    const QList<Box>& seen() const { return m_seen; }
    QStringList seenTexts() const;
    int pending() const { return int(m_expected.size()); }
    // Fails the test for every expectation not met yet and forgets them.
    void verify();

private:
    struct Expectation {
        MsgKind kind;
        std::optional<QString> text;
        std::optional<QRegularExpression> pattern;
        std::optional<MsgAnswer> answer;
        QString describe() const;
        bool matches(MsgKind k, const QString& t) const;
    };

    MsgAnswer handle(MsgKind kind, const QString& text, MsgButtons buttons);

    QList<Expectation> m_expected;
    QList<Box> m_seen;
    bool m_allowUnexpected = false;
    ui::MessageService::Handler m_previous;
};

// Handler for tests that have no script: any box fails the test (it would otherwise
// block an offscreen run) and is answered negatively. Installed by the shared main().
void installFailingMessageHandler();

} // namespace skmtest
