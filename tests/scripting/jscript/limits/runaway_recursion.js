function deeper(n) { return deeper(n + 1) + 1; }
tnPrint("start\n");                           // expect: start
deeper(0);
// expect-error: 28
