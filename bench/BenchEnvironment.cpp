// Every benchmark runs the program's own windows: offscreen, with the string tables, dialog
// templates, toolbars and bitmaps of the source tree. Without them the pages would be built
// without their toolbars and option bars and time less than a user waits for.
#include <cstdlib>

namespace {

[[maybe_unused]] const bool kEnvironmentSet = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("ORN_RESOURCE_DIR", ORN_SOURCE_DIR "/resources", 0);
    return true;
}();

} // namespace
