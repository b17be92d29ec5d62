#include "platform/ui/ErrorGuard.h"
#include "db/DbError.h"
#include "platform/ui/SilentAbort.h"
#include "support/MessageScript.h"
#include "support/ScreenDriver.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

using namespace skmtest;

namespace {

struct ThrowCase {
    const char* name;
    std::function<void()> thrower;
    QString boxText; // empty: no box
};

std::vector<ThrowCase> throwCases() {
    return {
        {"DbError",
         [] { throw db::DbError("ERROR:  duplicate key value violates unique constraint"); },
         "ERROR:  duplicate key value violates unique constraint"},
        {"std::exception", [] { throw std::runtime_error("Field 'KodeSPK' not found"); },
         "Field 'KodeSPK' not found"},
        {"unknown", [] { throw 42; }, "Terjadi kesalahan yang tidak dikenal."},
        {"silent abort", [] { throw ui::SilentAbort(); }, QString()},
    };
}

} // namespace

TEST(ErrorGuard, ShowsTheErrorsOwnTextAndStopsTheAction) {
    for (const ThrowCase& c : throwCases()) {
        SCOPED_TRACE(c.name);
        MessageScript ms;
        if (!c.boxText.isEmpty())
            ms.expect(MsgKind::Error, c.boxText);
        bool after = false;
        const bool completed = ui::guarded([&] {
            c.thrower();
            after = true;
        });
        EXPECT_FALSE(completed);
        EXPECT_FALSE(after);
        EXPECT_EQ(ms.seen().size(), c.boxText.isEmpty() ? 0 : 1);
    }
    EXPECT_TRUE(ui::guarded([] {}));
}

// A slot that throws while the application handles a click: the error box shows,
// the program goes on and the next click works.
TEST(GuardedApplication, ThrowingSlotShowsErrorBoxAndTheAppContinues) {
    for (const ThrowCase& c : throwCases()) {
        SCOPED_TRACE(c.name);
        QWidget screen;
        auto* layout = new QVBoxLayout(&screen);
        auto* save = new QPushButton("Simpan", &screen);
        save->setObjectName("btnSave");
        auto* other = new QPushButton("Lain", &screen);
        other->setObjectName("btnOther");
        layout->addWidget(save);
        layout->addWidget(other);
        int otherClicks = 0;
        bool afterThrow = false;
        QObject::connect(save, &QPushButton::clicked, [&] {
            c.thrower();
            afterThrow = true;
        });
        QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });

        ScreenDriver drv(&screen);
        drv.show();
        MessageScript ms;
        if (!c.boxText.isEmpty())
            ms.expect(MsgKind::Error, c.boxText);
        drv.click("btnSave");
        EXPECT_FALSE(afterThrow);
        EXPECT_EQ(ms.pending(), 0);
        drv.click("btnOther");
        drv.click("Lain");
        EXPECT_EQ(otherClicks, 2);
    }
}
