// How the Quick Edit conversion routines report an unexpected failure: the routine that
// failed is named in the rescue prompt, which offers to save every message and ends the
// program. Inner routines tag the failure with their name; the entry point reports it.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "Session.h"
#include "storage/Rescue.h"

namespace lt {

struct RoutineFailure {
    std::string routine;
};

// Runs fn; a failure inside it is tagged with `routine` unless an inner routine
// tagged it already.
template <class Fn>
auto Tagged(const char* routine, Fn&& fn) -> decltype(fn()) {
    try {
        return fn();
    } catch (const RoutineFailure&) {
        throw;
    } catch (const std::exception&) {
        throw RoutineFailure{routine};
    }
}

// The rescue prompt's steps for Quick Edit: build the block before saving, read it back.
RescueSteps QuickEditRescue(Session& s);

// Entry point of a routine: runs fn and reports a failure through the rescue prompt.
// Returns false when fn failed.
template <class Fn>
bool Reported(Session& s, const char* routine, Fn&& fn) {
    try {
        Tagged(routine, std::forward<Fn>(fn));
        return true;
    } catch (const RoutineFailure& failure) {
        s.ui.setBusy(false);
        s.ui.setStatus("");
        ReportUnexpectedError(s, failure.routine, QuickEditRescue(s));
        return false;
    }
}

} // namespace lt
