// args: --timeout 0
// 2^31 array elements end in "Out of memory", not with the program; with no
// time limit the memory runs out first however slow the machine.
var a = new Array(Math.pow(2, 31));
a.fill(1);
// expect-error: 7
