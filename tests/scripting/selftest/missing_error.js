// The runner must fail this file: it expects an error that never comes.
tnPrint("fine\n");                            // expect: fine
// expect-error: 13
