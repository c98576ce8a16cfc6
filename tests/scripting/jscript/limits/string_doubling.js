// args: --timeout 0
// A string doubled until the engine's length wraps ends with an error, not with
// the program; no time limit, so the memory runs out first in any build.
tnPrint("start\n");                           // expect: start
var s = "x";
for (;;) s += s;
// expect-error: 7
