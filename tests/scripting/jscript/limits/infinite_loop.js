// args: --timeout 300
tnPrint("start\n");                           // expect: start
for (;;) { }
// expect-timeout
