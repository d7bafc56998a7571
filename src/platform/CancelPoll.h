// The Escape-key poll a long synchronous job (the folder walk) makes between entries.
#pragma once

namespace pv {

// True when the user has pressed Escape since the last poll (Windows: GetAsyncKeyState's
// "pressed since" bit). Natively false unless a test installed a poll.
bool EscapePressed();

using CancelPollFn = bool (*)();
// Replaces the poll (tests); null restores the platform's own.
void SetCancelPollForTests(CancelPollFn poll);

}  // namespace pv
