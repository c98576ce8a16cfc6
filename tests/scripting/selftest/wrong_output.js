// The runner must fail this file: the output differs from the expectation.
tnPrint("actual\n");                          // expect: something else
