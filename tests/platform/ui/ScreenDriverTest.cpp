#include "support/ScreenDriver.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/LookupBox.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/NumberEdit.h"
#include "support/MessageScript.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace skmtest;

namespace {

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

bool anyContains(const std::vector<std::string>& list, const std::string& part) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& s) { return s.find(part) != std::string::npos; });
}

// A tiny entry dialog: a name, OK (refuses an empty name) and Tutup; "Detail"
// opens a nested dialog of the same kind modally.
class NameDialog : public QDialog {
    Q_OBJECT
public:
    explicit NameDialog(QWidget* parent = nullptr) : QDialog(parent) {
        setObjectName("TFmName");
        auto* layout = new QVBoxLayout(this);
        name = new QLineEdit(this);
        name->setObjectName("txtName");
        auto* ok = new QPushButton("OK", this);
        ok->setObjectName("btnOK");
        auto* close = new QPushButton("Tutup", this);
        close->setObjectName("btnClose");
        auto* detail = new QPushButton("&Detail", this);
        detail->setObjectName("btnDetail");
        layout->addWidget(name);
        layout->addWidget(ok);
        layout->addWidget(close);
        layout->addWidget(detail);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (name->text().isEmpty()) {
                ui::MessageService::warning("Nama belum diisi.");
                return;
            }
            accept();
        });
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
        connect(detail, &QPushButton::clicked, this, [this] {
            NameDialog inner(this);
            inner.setObjectName("TFmNameDetail");
            if (inner.exec() == QDialog::Accepted)
                detailName = inner.name->text();
        });
    }
    QLineEdit* name;
    QString detailName;
};

class OtherDialog : public QDialog {
    Q_OBJECT
};

// The screen that opens the dialog from a button and from a toolbar action.
struct Screen {
    QWidget window;
    QString result;
    int results = 0;
    Screen() {
        window.setObjectName("TFmScreen");
        auto* layout = new QVBoxLayout(&window);
        auto* bar = new QToolBar(&window);
        auto* entry = bar->addAction("&Entry ");
        entry->setObjectName("TbtnEntry");
        layout->addWidget(bar);
        auto* open = new QPushButton("Buka", &window);
        open->setObjectName("btnOpen");
        layout->addWidget(open);
        auto run = [this] {
            NameDialog dlg(&window);
            if (dlg.exec() == QDialog::Accepted) {
                result = dlg.name->text();
                ++results;
            }
        };
        QObject::connect(open, &QPushButton::clicked, run);
        QObject::connect(entry, &QAction::triggered, run);
    }
};

} // namespace

TEST(ScreenDriver, FillsAndClosesAModalDialogOpenedByAButtonOrAction) {
    for (const QString& opener : {QString("btnOpen"), QString("TbtnEntry"), QString("Entry")}) {
        SCOPED_TRACE(opener.toStdString());
        Screen s;
        ScreenDriver drv(&s.window);
        drv.show();
        MessageScript ms;
        ms.expect(MsgKind::Warning, "Nama belum diisi.");
        bool ran = false;
        drv.onNextModal<NameDialog>([&](NameDialog* dlg) {
            ran = true;
            ScreenDriver d(dlg);
            d.click("btnOK"); // empty name: warning, stays open
            EXPECT_TRUE(dlg->isVisible());
            d.type("txtName", "Budi");
            d.type("txtName", " Santoso");
            d.click("OK");
        });
        drv.click(opener);
        EXPECT_TRUE(drv.verifyModals());
        EXPECT_TRUE(ran);
        EXPECT_EQ(s.result, "Budi Santoso");
        EXPECT_EQ(s.results, 1);
    }
}

TEST(ScreenDriver, NestedModalDialogsAreHandledInOrder) {
    Screen s;
    ScreenDriver drv(&s.window);
    drv.show();
    QString seenDetail;
    drv.onNextModal<NameDialog>([&](NameDialog* dlg) {
        ScreenDriver d(dlg);
        d.type("txtName", "luar");
        d.click("Detail"); // exec() of the inner dialog
        seenDetail = dlg->detailName;
        d.click("btnOK");
    });
    drv.onNextModal<NameDialog>([](NameDialog* inner) {
        EXPECT_EQ(inner->objectName(), "TFmNameDetail");
        ScreenDriver d(inner);
        d.enter("txtName", "dalam");
        d.click("btnOK");
    });
    drv.click("btnOpen");
    EXPECT_TRUE(drv.verifyModals());
    EXPECT_EQ(seenDetail, "dalam");
    EXPECT_EQ(s.result, "luar");
}

TEST(ScreenDriver, UnhandledOrUnclosedModalFailsAndIsClosed) {
    struct Case {
        const char* name;
        bool schedule; // a callback that leaves the dialog open
        std::string failure;
    };
    for (const Case& c : {Case{"no callback", false, "without a scheduled callback"},
                          Case{"left open", true, "left open by its callback"}}) {
        SCOPED_TRACE(c.name);
        Screen s;
        ScreenDriver drv(&s.window);
        drv.setModalTimeout(100);
        drv.show();
        if (c.schedule)
            drv.onNextModal<NameDialog>([](NameDialog* dlg) { dlg->name->setText("x"); });
        const auto failures = failuresOf([&] { drv.click("btnOpen"); });
        EXPECT_TRUE(anyContains(failures, c.failure));
        EXPECT_EQ(s.results, 0); // closed by rejecting
    }
}

TEST(ScreenDriver, CallbackNeverRunFailsAndWrongTypeIsNotTaken) {
    Screen s;
    ScreenDriver drv(&s.window);
    drv.setModalTimeout(100);
    drv.show();
    bool otherRan = false;
    drv.onNextModal<OtherDialog>([&](OtherDialog*) { otherRan = true; });
    const auto failures = failuresOf([&] {
        drv.click("btnOpen"); // a NameDialog: not the scheduled type
        drv.waitModals(50);
    });
    EXPECT_FALSE(otherRan);
    EXPECT_TRUE(anyContains(failures, "without a scheduled callback"));
    EXPECT_TRUE(anyContains(failures, "OtherDialog never shown"));
    EXPECT_EQ(drv.pendingModals(), 0);
}

TEST(ScreenDriver, MissingOrDisabledControlsFailClearly) {
    Screen s;
    ScreenDriver drv(&s.window);
    drv.show();
    struct Case {
        std::function<void()> step;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {[&] { drv.find<QLineEdit>("txtMissing"); },
         "control 'txtMissing' of type QLineEdit not found"},
        {[&] { drv.find<QLineEdit>("btnOpen"); }, "('btnOpen' is a QPushButton)"},
        {[&] { drv.click("btnNothing"); }, "no button or action 'btnNothing'"},
        {[&] {
             drv.find<QPushButton>("btnOpen")->setEnabled(false);
             drv.click("btnOpen");
         },
         "button 'btnOpen' is disabled"},
    };
    for (const Case& c : cases) {
        bool threw = false;
        const auto failures = failuresOf([&] {
            try {
                c.step();
            } catch (const DriverError&) {
                threw = true;
            }
        });
        EXPECT_TRUE(threw);
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_NE(failures[0].find(c.failure), std::string::npos) << failures[0];
    }
    EXPECT_TRUE(anyContains(failuresOf([&] {
                                try {
                                    drv.find<QLineEdit>("nope");
                                } catch (const DriverError&) {
                                }
                            }),
                            "btnOpen"))
        << "the failure lists the names that exist";
}

TEST(ScreenDriver, DrivesEditorsByName) {
    QLocale::setDefault(QLocale(QLocale::Indonesian, QLocale::Indonesia));
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* number = new ui::NumberEdit(&w);
    number->setObjectName("txtAmount");
    number->setDisplayFormat("#,##0.00;(#,##0.00)");
    auto* date = new ui::DateEdit(&w);
    date->setObjectName("datSPK");
    auto* other = new QLineEdit(&w);
    other->setObjectName("txtOther");
    layout->addWidget(number);
    layout->addWidget(date);
    layout->addWidget(other);
    ScreenDriver drv(&w);
    drv.show();
    drv.enter("txtAmount", "1234567,5");
    EXPECT_EQ(number->value(), db::Decimal::fromString(u"1234567.5"));
    EXPECT_EQ(number->text(), "1.234.567,50");
    drv.setDate("datSPK", QDate(2013, 1, 25));
    EXPECT_EQ(date->date(), QDate(2013, 1, 25));
    drv.enter("datSPK", "26/01/2013");
    EXPECT_EQ(date->date(), QDate(2013, 1, 26));
    QLocale::setDefault(QLocale::c());
}

#include "ScreenDriverTest.moc"
