#pragma once

class ScreenRegistry;

namespace workorders {

// Registers the work-order register and the company list with the main window,
// and the work-order dialogs with the screenshot command.
void registerScreens(ScreenRegistry& registry);

} // namespace workorders
