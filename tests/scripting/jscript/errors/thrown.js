tnPrint("x\n");                               // expect: x
throw "plain value";
// expect-error: 5022 line 2
