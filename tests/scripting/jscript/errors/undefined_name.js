tnPrint("before\n");                          // expect: before
function f() {
  return missingFunction(1);
}
f();
// expect-error: 5009 line 3
