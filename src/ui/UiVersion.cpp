// Product name and version shown by the About box and the splash window.
#include "ui/UiVersion.h"

namespace lt {

const char* ProductVersion() { return "1.0.0"; }

} // namespace lt
