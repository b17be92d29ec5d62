#include "platform/ui/MessageService.h"
#include "support/MessageScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace skmtest;
using ui::MessageService;

TEST(MessageScript, AnswersBoxesInOrder) {
    MessageScript ms;
    ms.expect(MsgKind::Warning, "No. SPK belum diisi.")
        .expect(MsgKind::Confirmation, "Apakah data akan disimpan ?", MsgAnswer::Yes)
        .expect(MsgKind::Confirmation, "Hapus data ?", MsgAnswer::No)
        .expect(MsgKind::Confirmation, "Keluar ?", MsgAnswer::Cancel);
    MessageService::warning("No. SPK belum diisi.");
    EXPECT_TRUE(MessageService::confirmYesNo("Apakah data akan disimpan ?"));
    EXPECT_FALSE(MessageService::confirmYesNo("Hapus data ?"));
    EXPECT_FALSE(MessageService::confirmYesCancel("Keluar ?"));
    EXPECT_EQ(ms.pending(), 0);
    ASSERT_EQ(ms.seen().size(), 4);
    EXPECT_EQ(ms.seen()[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ms.seen()[1].answer, MsgAnswer::Yes);
    EXPECT_EQ(ms.seen()[3].buttons, MsgButtons::YesCancel);
    EXPECT_EQ(ms.seenTexts(), QStringList({"No. SPK belum diisi.", "Apakah data akan disimpan ?",
                                           "Hapus data ?", "Keluar ?"}));
}

TEST(MessageScript, KindsOfTheConvenienceCalls) {
    struct Case {
        std::function<void()> call;
        MsgKind kind;
        MsgButtons buttons;
    };
    const std::vector<Case> cases = {
        {[] { MessageService::warning("t"); }, MsgKind::Warning, MsgButtons::Ok},
        {[] { MessageService::information("t"); }, MsgKind::Information, MsgButtons::Ok},
        {[] { MessageService::error("t"); }, MsgKind::Error, MsgButtons::Ok},
        {[] { MessageService::confirmYesNo("t"); }, MsgKind::Confirmation, MsgButtons::YesNo},
        {[] { MessageService::confirmYesCancel("t"); }, MsgKind::Confirmation,
         MsgButtons::YesCancel},
    };
    for (const Case& c : cases) {
        MessageScript ms;
        ms.expect(c.kind, "t", c.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes);
        c.call();
        ASSERT_EQ(ms.seen().size(), 1);
        EXPECT_EQ(ms.seen()[0].kind, c.kind);
        EXPECT_EQ(ms.seen()[0].buttons, c.buttons);
    }
}

TEST(MessageScript, UnexpectedBoxFailsAndAnswersNegatively) {
    struct Case {
        MsgButtons buttons;
        MsgAnswer answer;
    };
    for (const Case& c :
         {Case{MsgButtons::Ok, MsgAnswer::Ok}, Case{MsgButtons::YesNo, MsgAnswer::No},
          Case{MsgButtons::YesCancel, MsgAnswer::Cancel}}) {
        static MsgAnswer got;
        static MsgButtons buttons;
        buttons = c.buttons;
        EXPECT_NONFATAL_FAILURE(
            {
                MessageScript ms;
                got = MessageService::ask(MsgKind::Confirmation, "Lanjut ?", buttons);
            },
            "unexpected Confirmation box");
        EXPECT_EQ(got, c.answer);
    }
}

namespace {

// Runs body and returns the messages of the test failures it raised.
std::vector<std::string> failuresOf(const std::function<void()>& body) {
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        body();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i)
        messages.push_back(results.GetTestPartResult(i).message());
    return messages;
}

} // namespace

TEST(MessageScript, WrongTextOrKindFailsAndLeavesTheExpectationUnmet) {
    struct Case {
        std::function<void()> show;
        std::string unexpected;
    };
    const std::vector<Case> cases = {
        {[] { MessageService::warning("Nama belum diisi"); },
         "unexpected Warning box (Ok) \"Nama belum diisi\""},
        {[] { MessageService::information("Nama belum diisi."); },
         "unexpected Information box (Ok) \"Nama belum diisi.\""},
    };
    for (const Case& c : cases) {
        const auto failures = failuresOf([&] {
            MessageScript ms;
            ms.expect(MsgKind::Warning, "Nama belum diisi.");
            c.show();
        });
        ASSERT_EQ(failures.size(), 2u);
        EXPECT_NE(failures[0].find(c.unexpected), std::string::npos) << failures[0];
        EXPECT_NE(failures[0].find("expected Warning box \"Nama belum diisi.\""),
                  std::string::npos);
        EXPECT_NE(failures[1].find("never shown: Warning box \"Nama belum diisi.\""),
                  std::string::npos)
            << failures[1];
    }
}

TEST(MessageScript, UnconsumedExpectationFailsAtDestruction) {
    EXPECT_NONFATAL_FAILURE(
        {
            MessageScript ms;
            ms.expect(MsgKind::Information, "Data sudah disimpan.");
        },
        "never shown: Information box \"Data sudah disimpan.\"");
}

TEST(MessageScript, AnswerMustBeOfferedByTheBox) {
    static bool yes = true;
    EXPECT_NONFATAL_FAILURE(
        {
            MessageScript ms;
            ms.expect(MsgKind::Confirmation, "Simpan ?", MsgAnswer::Cancel);
            yes = MessageService::confirmYesNo("Simpan ?");
        },
        "not offered");
    EXPECT_FALSE(yes);
    EXPECT_NONFATAL_FAILURE(
        {
            MessageScript ms;
            ms.expect(MsgKind::Confirmation, "Simpan ?");
            yes = MessageService::confirmYesNo("Simpan ?");
        },
        "no answer scripted");
    EXPECT_FALSE(yes);
}

TEST(MessageScript, PatternsAnyTextAndLenientMode) {
    MessageScript ms;
    ms.expectMatching(MsgKind::Error, QRegularExpression("duplicate key"))
        .expectAny(MsgKind::Information);
    MessageService::error("ERROR: duplicate key value violates unique constraint");
    MessageService::information("apa saja");
    EXPECT_EQ(ms.pending(), 0);

    ms.allowUnexpected();
    EXPECT_FALSE(MessageService::confirmYesNo("Tidak diharapkan ?"));
    ASSERT_EQ(ms.seen().size(), 3);
    EXPECT_EQ(ms.seen()[2].answer, MsgAnswer::No);
}

TEST(MessageScript, NestedScriptsRestoreTheOuterOne) {
    MessageScript outer;
    outer.expect(MsgKind::Warning, "luar");
    {
        MessageScript inner;
        inner.expect(MsgKind::Warning, "dalam");
        MessageService::warning("dalam");
    }
    MessageService::warning("luar");
    EXPECT_EQ(outer.seenTexts(), QStringList{"luar"});
}

TEST(MessageScript, BoxWithoutScriptFailsInsteadOfBlocking) {
    ASSERT_TRUE(MessageService::hasHandler());
    EXPECT_NONFATAL_FAILURE(MessageService::warning("tanpa skrip"), "without a MessageScript");
}

// The real box: application title, exact text, icon and buttons by kind.
TEST(MessageService, RealBoxShowsTextTitleAndButtons) {
    struct Case {
        MsgKind kind;
        MsgButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons offered;
        QMessageBox::StandardButton click;
        MsgAnswer answer;
    };
    const std::vector<Case> cases = {
        {MsgKind::Warning, MsgButtons::Ok, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok,
         MsgAnswer::Ok},
        {MsgKind::Information, MsgButtons::Ok, QMessageBox::Information, QMessageBox::Ok,
         QMessageBox::Ok, MsgAnswer::Ok},
        {MsgKind::Error, MsgButtons::Ok, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok,
         MsgAnswer::Ok},
        {MsgKind::Confirmation, MsgButtons::YesNo, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No, MsgAnswer::No},
        {MsgKind::Confirmation, MsgButtons::YesCancel, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes, MsgAnswer::Yes},
    };
    const QString oldName = QApplication::applicationDisplayName();
    QApplication::setApplicationDisplayName("Kalveo Uji");
    auto saved = MessageService::setHandler(nullptr);
    for (const Case& c : cases) {
        bool inspected = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            inspected = true;
            EXPECT_EQ(box->text(), "Apakah data akan disimpan ?");
            EXPECT_EQ(box->windowTitle(), "Kalveo Uji");
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->standardButtons(), c.offered);
            box->button(c.click)->click();
        });
        const MsgAnswer got = MessageService::ask(c.kind, "Apakah data akan disimpan ?", c.buttons);
        EXPECT_TRUE(inspected);
        EXPECT_EQ(got, c.answer);
    }
    MessageService::setHandler(saved);
    QApplication::setApplicationDisplayName(oldName);
}
