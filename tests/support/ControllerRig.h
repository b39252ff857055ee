#pragma once

#include "tests/support/FakeViewer.h"
#include "tests/support/RecordingSurface.h"
#include "viewer/ViewerController.h"

namespace sorkam::test {

// A controller wired to fakes: what it does to the window and the user lands in log, what it
// paints in plotA and plotB.
struct ControllerRig {
    EventLog log;
    FakeHost host{log};
    ScriptedDialogs dialogs{log};
    RecordingSurface plotA;
    RecordingSurface plotB;
    ViewerController controller{host, dialogs, plotA, plotB};
};

} // namespace sorkam::test
