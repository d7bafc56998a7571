// The Escape-key poll a long synchronous job (the folder walk) makes between entries.
#pragma once

namespace pv {

// The Escape key as the platform reports it without a message loop: down now, and pressed
// since the previous sample (Windows: GetAsyncKeyState's two bits). Natively never pressed
// unless a test installed a sampler.
struct EscapeKeySample {
    bool down = false;
    bool pressedSinceLastSample = false;
};

EscapeKeySample SampleEscapeKey();

using EscapeSampleFn = EscapeKeySample (*)();
// Replaces the platform's sampler (tests); null restores it.
void SetEscapeSampleForTests(EscapeSampleFn sampler);

// One job's cancel poll. Windows remembers a press until someone asks, so the Escape that
// left full screen or closed a box would otherwise end the next walk at its first entry:
// Start forgets every press made before it, and a key still held down from before counts
// only once it has been let go.
class EscapePoll {
public:
    void Start() { Start(SampleEscapeKey()); }

    void Start(EscapeKeySample atStart) { heldFromBefore_ = atStart.down; }

    // True when Escape has been pressed since Start.
    [[nodiscard]] bool Pressed() { return Pressed(SampleEscapeKey()); }

    [[nodiscard]] bool Pressed(EscapeKeySample now);

private:
    bool heldFromBefore_ = false;
};

}  // namespace pv
