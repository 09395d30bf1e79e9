#pragma once

// What the saver must do before its first frame stands, timed on the X display (DISPLAY):
// Resize and one NextFrame of the effect in a borderless window covering the screen, drawn
// into shared memory band by band as the saver draws. Milliseconds.
double EffectStartMs();
