// The runner must fail this file: the error is not expected.
tnPrint("x\n");                               // expect: x
nothing();
