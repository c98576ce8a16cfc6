// args: --timeout 5000
// A string doubled until the engine's length wraps: the run ends with an
// error, not with the program. (A generous limit: a loaded machine must
// still get to the end of the string rather than to the time-out.)
tnPrint("start\n");                           // expect: start
var s = "x";
for (;;) s += s;
// expect-error: 7
