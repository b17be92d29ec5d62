#include "SpkScreens.h"

#include "TFmProjectSPKMandorEntry.h"
#include "TFmProjectSPKMandorEntry2.h"
#include "TFmProjectSPKMandorView.h"
#include "app/ScreenRegistry.h"
#include "app/SessionContext.h"
#include "masterdata/TFmCompanyList.h"

namespace workorders {

void registerScreens(ScreenRegistry& registry) {
    registry.addScreen(QStringLiteral("TFmProjectSPKMandorView"),
                       [] { return new TFmProjectSPKMandorView; });
    registry.addScreen(
        QStringLiteral("TFmCompanyList"),
        [] { return new TFmCompanyList(TFmCompanyList::Mode::Register); },
        ScreenRegistry::Placement::Window);
    registry.addScreenshot(QStringLiteral("TFmProjectSPKMandorEntry"), [] {
        SessionContext.SPKEntryMode = QStringLiteral("INSERT");
        return new TFmProjectSPKMandorEntry;
    });
    registry.addScreenshot(QStringLiteral("TFmProjectSPKMandorEntry2"),
                           [] { return new TFmProjectSPKMandorEntry2; });
    registry.addScreenshot(QStringLiteral("TFmCompanyList-Picker"),
                           [] { return new TFmCompanyList(TFmCompanyList::Mode::Picker); });
}

} // namespace workorders
