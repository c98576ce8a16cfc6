// args: --timeout 0
// A string doubled until the engine's length wraps: the run ends with an
// error, not with the program. No time limit: the end of the memory must
// come, not the time-out, however loaded or slow (sanitized) the build.
tnPrint("start\n");                           // expect: start
var s = "x";
for (;;) s += s;
// expect-error: 7
