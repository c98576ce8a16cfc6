// A host error not caught by the script ends the run at the calling line.
tnPrint("ok\n");                              // expect: ok

tnPrint({}); tnPrint("not reached\n");
// expect-error: 13 line 4
