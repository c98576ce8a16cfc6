// A compile error stops the whole script: nothing before it runs either.
tnPrint("never\n");
var x = ;
// expect-error: 1002 line 3
