// A string doubled until the engine's length wraps: the run ends with an
// error, not with the program.
tnPrint("start\n");                           // expect: start
var s = "x";
for (;;) s += s;
// expect-error: 7
