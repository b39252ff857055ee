#pragma once

#include "support/FakeViewer.h"
#include "support/RecordingSurface.h"
#include "viewer/ViewerController.h"

namespace sorkam::test {

// A controller wired to fakes: what it does to the window and the user lands in log, what it
// paints in pic0 and pic1.
struct ControllerRig {
    EventLog log;
    FakeHost host{log};
    ScriptedDialogs dialogs{log};
    RecordingSurface pic0;
    RecordingSurface pic1;
    ViewerController controller{host, dialogs, pic0, pic1};
};

} // namespace sorkam::test
