// args: --timeout 0
// Two thousand million array elements: the run ends in "Out of memory", not
// with the program. No time limit, so the memory must run out first however
// fast or slow the machine.
var a = new Array(Math.pow(2, 31));
a.fill(1);
// expect-error: 7
