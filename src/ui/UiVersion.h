#pragma once

namespace lt {

const char* ProductVersion();

} // namespace lt
