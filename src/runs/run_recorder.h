#pragma once

#include "runs/run_recording.h"

// The recording of this run, made as the frame loop plays it. Program-wide, because events
// reach it from wherever the game hears them: the window's callbacks, a pad, a script.
struct RunRecorder {
    bool on = false; // only the frame loop records; tests of the input rules do not
    RunRecording run;
};

// The program's one recorder.
extern RunRecorder recorder;

// Turns the recorder on with the clock's first sample, with room for a long run reserved, so
// a pass appends without allocating. Returns the sample.
double startRecording(double sample);

// The frame loop's steps, in the order it takes them. Each returns at once while the recorder
// is off.
void recordPassStart();
double recordDrawSample(double sample);   // returns the sample
double recordUpdateSample(double sample); // returns the sample
void recordCursor(int x, int y);
// After the update: the player's foot.
void recordPassEnd(const glm::dvec3& foot);
// After a restart: the next pass starts the attempt the recording is kept for.
void recordRestart();

// What the game heard, in the current pass.
void recordKeyEvent(Key key, KeyAction action, KeySource source);
void recordMouseButtonEvent(MouseButton button, KeyAction action);
void recordScrollEvent(double yoffset);
